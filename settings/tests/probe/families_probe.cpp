#include "families_probe.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "CorvexItems.h"
#include "CorvexSettings.h"
#include "Setwell.h"
#include "platform_numbers.h"
#include "qrmt_text.h"
#include "winprofile.h"

namespace {

using Command = std::function<CString(const CString& argument)>;

CString number(double value) { return CString(platform::FormatDoubleC("%.6f", value)); }
CString number(long value) {
  CString text;
  text.Format("%ld", value);
  return text;
}
CString number(int value) { return number(static_cast<long>(value)); }
CString withResult(int result, const CString& text) { return number(result) + ":" + text; }

CString joined(const CStringArray& items, const char* separator = "|") {
  CString text;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) text += (i ? separator : "") + items[i];
  return text;
}

// The argument's parts separated by `separator`, padded with "0" to `count`.
void split(const CString& argument, char separator, int count, CStringArray& parts) {
  QRMT_ParseString(argument, parts, separator);
  while (parts.GetSize() < count) parts.Add("0");
}

// Query shapes: no argument and nothing back, a number back, a decimal argument, a
// CString out value (answered "result:out").
template <auto method>
CString call(const CString&) {
  (CCorvexSettings().*method)();
  return CString();
}
template <auto method>
CString answer(const CString&) {
  return number((CCorvexSettings().*method)());
}
template <auto method>
CString setDecimal(const CString& value) {
  (CCorvexSettings().*method)(platform::AtofC(value));
  return CString();
}
template <auto method>
CString outQuery(const CString&) {
  CCorvexSettings settings;
  CString out = "<untouched>";
  const int result = (settings.*method)(out);
  return withResult(result, out);
}

CString currencies(const CObArray* list) {
  CString text;
  for (INT_PTR i = 0; list && i < list->GetSize(); ++i) {
    const auto* currency = static_cast<const CCorvexCurrencyItem*>((*list)[i]);
    text += (i ? ";" : "") + currency->GetName() + "|" + currency->GetStrValue();
  }
  return text;
}

CString cellFormat(void (CCorvexSettingsPricer::*query)(long&, long&, long&, long&) const) {
  long values[4] = {-9, -9, -9, -9};
  (CCorvexSettings().*query)(values[0], values[1], values[2], values[3]);
  return number(values[0]) + "|" + number(values[1]) + "|" + number(values[2]) + "|" + number(values[3]);
}

std::map<std::string, Command> pricerCommands() {
  return {
      {"GetTarifInfos",
       [](const CString&) {
         CString code, label, date, currency, unit;
         double rate = -1;
         const int result = CCorvexSettings().GetTarifInfos(code, label, date, currency, unit, rate);
         return withResult(result, code + "|" + label + "|" + date + "|" + currency + "|" + unit + "|" + number(rate));
       }},
      {"SetTarifInfos", answer<&CCorvexSettings::SetTarifInfos>},
      {"GetCurrencyList", [](const CString&) { return currencies(CCorvexSettings().GetCurrencyList()); }},
      {"SaveCurrencyList", call<&CCorvexSettings::SaveCurrencyList>},
      {"GetCurrentExchangeMonetaryUnit",
       [](const CString&) {
         const CCorvexCurrencyItem* selected = CCorvexSettings().GetCurrentExchangeMonetaryUnit();
         return selected ? selected->GetName() + "|" + selected->GetStrValue() : CString("null");
       }},
      {"SetDefaultVAT", setDecimal<&CCorvexSettings::SetDefaultVAT>},
      {"SetDefaultWLabourHourlyCost", setDecimal<&CCorvexSettings::SetDefaultWLabourHourlyCost>},
      {"GetDefaultVAT", answer<&CCorvexSettings::GetDefaultVAT>},
      {"GetDefaultWLabourHourlyCost", answer<&CCorvexSettings::GetDefaultWLabourHourlyCost>},
      {"GetCoefTMO", answer<&CCorvexSettings::GetCoefTMO>},
      {"GetResumeCellColor",
       [](const CString&) {
         long color = -9;
         CCorvexSettings().GetResumeCellColor(color);
         return number(color);
       }},
      {"CellFormats",
       [](const CString&) {
         return cellFormat(&CCorvexSettingsPricer::GetEditableCellFormat) + ";" +
                cellFormat(&CCorvexSettingsPricer::GetModifiedCellFormat) + ";" +
                cellFormat(&CCorvexSettingsPricer::GetDeletedLineFormat);
       }},
      {"GetManufacturerChange",
       [](const CString& index) {
         CString name = "<untouched>";
         CStringArray items;
         const int result = CCorvexSettings().GetManufacturerChange(std::atoi(index), name, items);
         return withResult(result, name + "|" + joined(items, ","));
       }},
  };
}

// "data", "print", "costing" or "service".
CObArray* layoutNamed(const CString& name) {
  CCorvexSettings settings;
  if (name == "data") return settings.GetExportDataColumnParametersList();
  if (name == "print") return settings.GetExportPrintColumnParametersList();
  if (name == "costing") return settings.GetCostingColumnParametersList();
  return settings.GetServiceColumnParametersList();
}

CString columns(const CObArray* list) {
  CString text;
  for (INT_PTR i = 0; list && i < list->GetSize(); ++i) {
    const auto* column = static_cast<const CCorvexColumnInfo*>((*list)[i]);
    CString item;
    item.Format("%d:%d#%d,%d,%s,%d", column->GetIndex(), column->GetField(), column->GetOrder(), column->GetAlignment(),
                platform::FormatDoubleC("%g", column->GetWidth()).c_str(), column->GetDefaultWidth());
    text += (i ? ";" : "") + item;
  }
  return text;
}

std::map<std::string, Command> exportCommands() {
  return {
      {"SetExportPrintCheckBoxes",
       [](const CString& values) {
         CStringArray f;
         split(values, ',', 10, f);
         int v[10];
         for (int i = 0; i < 10; ++i) v[i] = std::atoi(f[i]);
         CCorvexSettings().SetExportPrintCheckBoxes(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]);
         return CString();
       }},
      {"GetExportPrintCheckBoxes",
       [](const CString&) {
         int v[10] = {-9, -9, -9, -9, -9, -9, -9, -9, -9, -9};
         CCorvexSettings().GetExportPrintCheckBoxes(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]);
         CString text;
         for (int i = 0; i < 10; ++i) text += (i ? "," : "") + number(v[i]);
         return text;
       }},
      {"Layout", [](const CString& name) { return columns(layoutNamed(name)); }},
      {"SaveDataLayout", call<&CCorvexSettings::SaveResultDataColumnParameters>},
      // AddColumn=layout|field|order|alignment|width|default width
      {"AddColumn",
       [](const CString& argument) {
         CStringArray f;
         split(argument, '|', 6, f);
         CObArray* list = layoutNamed(f[0]);
         auto* column = new CCorvexColumnInfo;
         column->SetIndex(static_cast<int>(list->GetSize()));
         column->SetFieldAndOrder(std::atoi(f[1]), std::atoi(f[2]));
         column->SetAlignment(std::atoi(f[3]));
         column->SetWidth(static_cast<float>(platform::AtofC(f[4])));
         column->SetDefaultWidth(std::atoi(f[5]));
         list->Add(column);
         return CString();
       }},
  };
}

std::map<std::string, Command> folderCommands() {
  return {
      {"GetDefaultFolderList",
       [](const CString&) {
         const CObArray* list = CCorvexSettings().GetDefaultFolderList();
         CString text;
         for (INT_PTR i = 0; i < list->GetSize(); ++i) {
           const auto* folder = static_cast<const CCorvexFolderItem*>((*list)[i]);
           text += (i ? ";" : "") + folder->GetCode() + "|" + folder->GetLabel() + "|" + folder->GetId();
         }
         return text;
       }},
      // SetFolderLabel=id|path of every item with that id
      {"SetFolderLabel",
       [](const CString& argument) {
         CStringArray f;
         split(argument, '|', 2, f);
         CObArray* list = CCorvexSettings().GetDefaultFolderList();
         for (INT_PTR i = 0; i < list->GetSize(); ++i) {
           auto* folder = static_cast<CCorvexFolderItem*>((*list)[i]);
           if (folder->GetId() == f[0]) folder->SetLabel(f[1]);
         }
         return CString();
       }},
      {"SaveDefaultFolderData", call<&CCorvexSettings::SaveDefaultFolderData>},
      {"GetTempDefaultFolder", outQuery<&CCorvexSettings::GetTempDefaultFolder>},
      {"GetExportDefaultFolder", outQuery<&CCorvexSettings::GetExportDefaultFolder>},
      {"GetPelkGraphfileDir", outQuery<&CCorvexSettings::GetPelkGraphfileDir>},
      {"GetCorvexInterfaceFile", outQuery<&CCorvexSettings::GetCorvexInterfaceFile>},
      {"GetWarningSetting",
       [](const CString& id) { return number(CCorvexSettings().GetWarningSetting(std::atoi(id))); }},
      // SetWarningSetting=value|id
      {"SetWarningSetting",
       [](const CString& argument) {
         CStringArray f;
         split(argument, '|', 2, f);
         CCorvexSettings().SetWarningSetting(std::atoi(f[0]), std::atoi(f[1]));
         return CString();
       }},
  };
}

std::map<std::string, Command> infosCommands() {
  return {
      {"GetRepositoryURL",
       [](const CString& name) {
         return CString(CCorvexSettings().GetRepositoryURL(name == "<null>" ? nullptr : name.GetString()));
       }},
      {"HasToCheckInfos", answer<&CCorvexSettings::HasToCheckInfos>},
      {"GetInfosFileURL",
       [](const CString& url) {
         CString text = url;
         return CString(CCorvexSettings().GetInfosFileURL(text));
       }},
      {"GetInfosFilePath",
       [](const CString&) {
         CString path;
         return CString(CCorvexSettings().GetInfosFilePath(path));
       }},
      {"ReadInfosFile",
       [](const CString&) {
         CStringArray addresses, paths;
         try {
           const int result = CCorvexSettings().ReadInfosFile(addresses, paths);
           return withResult(result, joined(addresses, ",") + "|" + joined(paths, ","));
         } catch (CException* e) {
           e->Delete();
           return CString("exception");
         }
       }},
      {"GetFirstInfos",
       [](const CString&) {
         CString first, second, third, picture;
         const int result = CCorvexSettings().GetFirstInfos(first, second, third, picture);
         return withResult(result, first + "|" + second + "|" + third + "|" + picture);
       }},
      // Hands entries out until none is left (at most the given count): "count:firsts".
      {"DrainFirstInfos",
       [](const CString& limit) {
         CString firsts, first, other;
         int count = 0;
         for (; count < std::atoi(limit) && CCorvexSettings().GetFirstInfos(first, other, other, other); ++count) {
           firsts += (count ? "," : "") + first;
           first.Empty();
         }
         return withResult(count, firsts);
       }},
  };
}

std::map<std::string, Command> allCommands() {
  std::map<std::string, Command> commands = pricerCommands();
  for (auto* family : {exportCommands, folderCommands, infosCommands})
    for (auto& command : family()) commands.insert(command);
  // Write=file|section|key|value, as another program would change a file.
  commands["Write"] = [](const CString& argument) {
    CStringArray f;
    split(argument, '|', 4, f);
    return number(WritePrivateProfileStringA(f[1], f[2], f[3], f[0]));
  };
  commands["Flush"] = [](const CString&) { return number(Setwell::GetInstance()->Flush()); };
  return commands;
}

}  // namespace

int RunFamilyCommands(int count, char** commands) {
  const std::map<std::string, Command> known = allCommands();
  std::map<std::string, int> repeats;
  for (int i = 0; i < count; ++i) {
    const std::string text = commands[i];
    const size_t equal = text.find('=');
    const std::string name = text.substr(0, equal);
    const auto command = known.find(name);
    if (command == known.end()) {
      std::printf("unknown command %s\n", name.c_str());
      return 5;
    }
    CString reply = command->second(equal == std::string::npos ? CString() : CString(text.substr(equal + 1)));
    reply.Replace("\n", "\\n");
    const int repeat = ++repeats[name];
    if (repeat > 1)
      std::printf("%s#%d=%s\n", name.c_str(), repeat, reply.GetString());
    else
      std::printf("%s=%s\n", name.c_str(), reply.GetString());
  }
  return 0;
}
