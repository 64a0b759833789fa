#include "infos_import.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "IniFile.h"
#include "Setwell.h"
#include "csv_reader.h"
#include "info_dates.h"
#include "infos_lines.h"
#include "qrmt_text.h"
#include "winprofile.h"

namespace {

constexpr int kFieldCount = 8;
constexpr const char* kStoreSection = "INFOSDATA";

// The entry store's changes of one import, written in one replacement of the file:
// a write per entry would rewrite the whole file each time.
class PendingStore {
 public:
  // Reads the store's keys once: a key written twice counts as its first entry.
  explicit PendingStore(const CString& file) : m_File(file) {
    CStringArray keys, values;
    CIniFile(file).GetEntries(kStoreSection, keys, values);
    std::unordered_set<std::string> seen;
    for (INT_PTR i = 0; i < keys.GetSize(); ++i)
      if (seen.insert(nameOf(keys[i])).second && !values[i].IsEmpty()) m_Held.insert(nameOf(keys[i]));
  }

  // Whether the store holds a value for the id, counting the changes not yet written.
  bool Holds(const CString& id) const { return m_Held.count(nameOf(id)) > 0; }

  void Set(const CString& id, const CString& value) {
    m_Held.insert(nameOf(id));
    m_Changes.emplace_back(id, value);
  }

  void Write() const {
    if (m_Changes.empty()) return;
    std::vector<ProfileChange> changes;
    changes.reserve(m_Changes.size());
    for (const auto& [id, value] : m_Changes) changes.push_back({kStoreSection, id, value});
    WritePrivateProfileBatchA(m_File, changes.data(), changes.size());
  }

 private:
  // Key names compare ignoring ASCII case.
  static std::string nameOf(const CString& id) { return CString(id).MakeLower().str(); }

  CString m_File;
  std::vector<std::pair<CString, CString>> m_Changes;
  std::unordered_set<std::string> m_Held;  // lower-case ids with a value
};

// The entry's picture (the first piece of the "," separated list that is not empty)
// and, into `names`, every piece that is not an address.
CString collectPictures(const CString& list, CStringArray& names) {
  CString picture;
  for (int start = 0; start <= list.GetLength();) {
    int comma = list.Find(',', start);
    if (comma < 0) comma = list.GetLength();
    CString piece = list.Mid(start, comma - start);
    start = comma + 1;
    QRMT_trim(piece);
    if (piece.IsEmpty()) continue;
    if (picture.IsEmpty()) picture = piece;
    if (piece.Find("://", 2) < 0) names.Add(piece);
  }
  return picture;
}

// Trimmed, and with "," for ";", which would shift the stored record's later fields.
CString recordField(CString text) {
  QRMT_trim(text);
  text.Replace(';', ',');
  return text;
}

CString recordOf(const CStringArray& fields, const CString& picture) {
  CString record;
  record.Format("\"%s;%s;%s;%s;%s;%s;%s\"", InfoDateToday().GetString(), recordField(fields[2]).GetString(),
                recordField(fields[3]).GetString(), recordField(fields[4]).GetString(),
                recordField(fields[5]).GetString(), recordField(picture).GetString(),
                recordField(fields[7]).GetString());
  return record;
}

void importEntry(const CStringArray& fields, const CString& buildStamp, PendingStore& store, CStringArray& names) {
  const CString& id = fields[0];
  if (!IsStorableInfosId(id)) return;
  if (fields[1] == "0") {
    store.Set(id, "0");
    return;
  }
  // Imported once; entries published up to the build are already known to the program.
  if (InfoDaysBetween(buildStamp, fields[1]) < 1 || store.Holds(id)) return;
  CString picture;
  if (!fields[6].IsEmpty())
    picture = collectPictures(fields[6], names);
  else if (!fields[5].IsEmpty())
    names.Add(id + ".txt");
  store.Set(id, recordOf(fields, picture));
}

}  // namespace

bool ImportInfosFile(const InfosImportFiles& files, CStringArray& pictureNames) {
  CSVReader reader(files.infosFile, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
  Setwell::GetInstance()->WriteParameter("INFOSCHECKER", "LastCheck", InfoDateToday(), files.settingsFile, 0);
  PendingStore store(files.settingsFile);
  bool anyLine = false;
  CString line;
  CStringArray fields;
  while (reader.ReadString(line)) {
    anyLine = true;
    if (!IsCleanInfosLine(line)) continue;
    SplitRecord(line.GetString(), static_cast<size_t>(line.GetLength()), fields);
    fields.SetSize(kFieldCount);
    importEntry(fields, files.buildStamp, store, pictureNames);
  }
  store.Write();
  return anyLine || reader.GetOverlongLineCount() > 0;
}
