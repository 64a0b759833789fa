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
CString withResult(int result, const CString& text) { return number(static_cast<long>(result)) + ":" + text; }

CString joined(const CStringArray& items, const char* separator = "|") {
  CString text;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) text += (i ? separator : "") + items[i];
  return text;
}

CString currencies(const CObArray* list) {
  if (!list) return "null";
  CString text;
  for (INT_PTR i = 0; i < list->GetSize(); ++i) {
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
      {"SetTarifInfos", [](const CString&) { return number(static_cast<long>(CCorvexSettings().SetTarifInfos())); }},
      {"GetCurrencyList", [](const CString&) { return currencies(CCorvexSettings().GetCurrencyList()); }},
      {"SaveCurrencyList",
       [](const CString&) {
         CCorvexSettings().SaveCurrencyList();
         return CString();
       }},
      {"GetCurrentExchangeMonetaryUnit",
       [](const CString&) {
         const CCorvexCurrencyItem* selected = CCorvexSettings().GetCurrentExchangeMonetaryUnit();
         return selected ? selected->GetName() + "|" + selected->GetStrValue() : CString("null");
       }},
      {"SetDefaultVAT",
       [](const CString& value) {
         CCorvexSettings().SetDefaultVAT(platform::AtofC(value));
         return CString();
       }},
      {"SetDefaultWLabourHourlyCost",
       [](const CString& value) {
         CCorvexSettings().SetDefaultWLabourHourlyCost(platform::AtofC(value));
         return CString();
       }},
      {"GetDefaultVAT", [](const CString&) { return number(CCorvexSettings().GetDefaultVAT()); }},
      {"GetDefaultWLabourHourlyCost",
       [](const CString&) { return number(CCorvexSettings().GetDefaultWLabourHourlyCost()); }},
      {"GetCoefTMO", [](const CString&) { return number(CCorvexSettings().GetCoefTMO()); }},
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

void saveLayoutNamed(const CString& name) {
  CCorvexSettings settings;
  if (name == "data") settings.SaveResultDataColumnParameters();
  if (name == "print") settings.SaveResultPrintColumnParameters();
  if (name == "costing") settings.SaveCostingColumnParameter();
  if (name == "service") settings.SaveServiceColumnParameter();
}

CString columns(const CObArray* list) {
  if (!list) return "null";
  CString text;
  for (INT_PTR i = 0; i < list->GetSize(); ++i) {
    const auto* column = static_cast<const CCorvexColumnInfo*>((*list)[i]);
    CString item;
    item.Format("%d:%d#%d,%d,%s,%d", column->GetIndex(), column->GetField(), column->GetOrder(),
                column->GetAlignment(), platform::FormatDoubleC("%g", column->GetWidth()).c_str(),
                column->GetDefaultWidth());
    text += (i ? ";" : "") + item;
  }
  return text;
}

std::map<std::string, Command> exportCommands() {
  return {
      {"SetExportPrintCheckBoxes",
       [](const CString& values) {
         CStringArray parts;
         QRMT_ParseString(values, parts, ',');
         int f[10] = {};
         for (INT_PTR i = 0; i < parts.GetSize() && i < 10; ++i) f[i] = std::atoi(parts[i]);
         CCorvexSettings().SetExportPrintCheckBoxes(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]);
         return CString();
       }},
      {"GetExportPrintCheckBoxes",
       [](const CString&) {
         int f[10] = {-9, -9, -9, -9, -9, -9, -9, -9, -9, -9};
         CCorvexSettings().GetExportPrintCheckBoxes(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]);
         CString text;
         for (int i = 0; i < 10; ++i) text += (i ? "," : "") + number(static_cast<long>(f[i]));
         return text;
       }},
      {"Layout", [](const CString& name) { return columns(layoutNamed(name)); }},
      {"SaveLayout",
       [](const CString& name) {
         saveLayoutNamed(name);
         return CString();
       }},
      // AddColumn=layout|field|order|alignment|width|default width
      {"AddColumn",
       [](const CString& argument) {
         CStringArray parts;
         QRMT_ParseString(argument, parts, '|');
         while (parts.GetSize() < 6) parts.Add("0");
         CObArray* list = layoutNamed(parts[0]);
         auto* column = new CCorvexColumnInfo;
         column->SetIndex(static_cast<int>(list->GetSize()));
         column->SetFieldAndOrder(std::atoi(parts[1]), std::atoi(parts[2]));
         column->SetAlignment(std::atoi(parts[3]));
         column->SetWidth(static_cast<float>(platform::AtofC(parts[4])));
         column->SetDefaultWidth(std::atoi(parts[5]));
         list->Add(column);
         return CString();
       }},
  };
}

CString folders(const CObArray* list) {
  if (!list) return "null";
  CString text;
  for (INT_PTR i = 0; i < list->GetSize(); ++i) {
    const auto* folder = static_cast<const CCorvexFolderItem*>((*list)[i]);
    text += (i ? ";" : "") + folder->GetCode() + "|" + folder->GetLabel() + "|" + folder->GetId();
  }
  return text;
}

// A query with a CString out value, answered as "result:out".
template <int (CCorvexSettings::*query)(CString&)>
CString outQuery(const CString&) {
  CCorvexSettings settings;
  CString out = "<untouched>";
  const int result = (settings.*query)(out);
  return withResult(result, out);
}

template <int (CCorvexSettings::*query)(CString&) const>
CString constOutQuery(const CString&) {
  CString out = "<untouched>";
  const int result = (CCorvexSettings().*query)(out);
  return withResult(result, out);
}

std::map<std::string, Command> folderCommands() {
  return {
      {"GetDefaultFolderList", [](const CString&) { return folders(CCorvexSettings().GetDefaultFolderList()); }},
      // SetFolderLabel=id|path of every item with that id
      {"SetFolderLabel",
       [](const CString& argument) {
         CStringArray parts;
         QRMT_ParseString(argument, parts, '|');
         CObArray* list = CCorvexSettings().GetDefaultFolderList();
         for (INT_PTR i = 0; i < list->GetSize() && parts.GetSize() == 2; ++i) {
           auto* folder = static_cast<CCorvexFolderItem*>((*list)[i]);
           if (folder->GetId() == parts[0]) folder->SetLabel(parts[1]);
         }
         return CString();
       }},
      {"SaveDefaultFolderData",
       [](const CString&) {
         CCorvexSettings().SaveDefaultFolderData();
         return CString();
       }},
      {"GetTempDefaultFolder", outQuery<&CCorvexSettings::GetTempDefaultFolder>},
      {"GetExportDefaultFolder", outQuery<&CCorvexSettings::GetExportDefaultFolder>},
      {"GetPelkGraphfileDir", constOutQuery<&CCorvexSettings::GetPelkGraphfileDir>},
      {"GetCorvexInterfaceFile", constOutQuery<&CCorvexSettings::GetCorvexInterfaceFile>},
      {"GetWarningSetting",
       [](const CString& id) { return number(static_cast<long>(CCorvexSettings().GetWarningSetting(std::atoi(id)))); }},
      // SetWarningSetting=value|id
      {"SetWarningSetting",
       [](const CString& argument) {
         CStringArray parts;
         QRMT_ParseString(argument, parts, '|');
         if (parts.GetSize() == 2) CCorvexSettings().SetWarningSetting(std::atoi(parts[0]), std::atoi(parts[1]));
         return CString();
       }},
  };
}

CString firstInfos() {
  CString first, second, third, picture;
  const int result = CCorvexSettings().GetFirstInfos(first, second, third, picture);
  return withResult(result, first + "|" + second + "|" + third + "|" + picture);
}

std::map<std::string, Command> infosCommands() {
  return {
      {"GetRepositoryURL",
       [](const CString& name) {
         return CString(CCorvexSettings().GetRepositoryURL(name == "<null>" ? nullptr : name.GetString()));
       }},
      {"HasToCheckInfos", [](const CString&) { return number(static_cast<long>(CCorvexSettings().HasToCheckInfos())); }},
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
      {"GetFirstInfos", [](const CString&) { return firstInfos(); }},
      // Hands entries out until none is left (at most the given count): "count:firsts".
      {"DrainFirstInfos",
       [](const CString& limit) {
         CString firsts;
         long count = 0;
         for (CString first, other; count < std::atol(limit) && CCorvexSettings().GetFirstInfos(first, other, other, other);
              first.Empty(), ++count)
           firsts += (count ? "," : "") + first;
         return withResult(static_cast<int>(count), firsts);
       }},
  };
}

std::map<std::string, Command> allCommands() {
  std::map<std::string, Command> commands = pricerCommands();
  for (auto& command : exportCommands()) commands.insert(command);
  for (auto& command : folderCommands()) commands.insert(command);
  for (auto& command : infosCommands()) commands.insert(command);
  // Write=file|section|key|value, as another program would change a file.
  commands["Write"] = [](const CString& argument) {
    CStringArray parts;
    QRMT_ParseString(argument, parts, '|');
    while (parts.GetSize() < 4) parts.Add("");
    return number(static_cast<long>(WritePrivateProfileStringA(parts[1], parts[2], parts[3], parts[0])));
  };
  commands["Flush"] = [](const CString&) { return number(static_cast<long>(Setwell::GetInstance()->Flush())); };
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
    CString answer = command->second(equal == std::string::npos ? CString() : CString(text.substr(equal + 1)));
    answer.Replace("\n", "\\n");
    const int repeat = ++repeats[name];
    if (repeat > 1)
      std::printf("%s#%d=%s\n", name.c_str(), repeat, answer.GetString());
    else
      std::printf("%s=%s\n", name.c_str(), answer.GetString());
  }
  return 0;
}
