// One profile (INI) file held as its lines. Sections, key=value entries and every
// other line (comments, blanks, malformed lines) are kept byte for byte with their
// own line ends (LF, CRLF or a bare CR), so an edit changes only the lines it is about.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform {

class ProfileDocument {
 public:
  static ProfileDocument Parse(const std::string& content);
  // Whether two section or key names are one: ASCII case and surrounding blanks ignored.
  static bool SameName(const std::string& a, const std::string& b);
  std::string Serialize() const;

  // Reading; names compare ignoring ASCII case and surrounding blanks, a duplicate
  // key's first line wins. The value is trimmed of blanks, its quotes are kept.
  const std::string* Value(const std::string& section, const std::string& key) const;
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(const std::string& section) const;
  // "key=value" for each entry of the section, in file order.
  std::vector<std::string> Entries(const std::string& section) const;

  // Editing. A new key goes after the section's last entry, a new section at the end;
  // new names are written trimmed.
  void SetValue(const std::string& section, const std::string& key, const std::string& value);
  // The same as SetValue for each pair in order, with one pass over the lines for all
  // the new keys (a pass per key would make a large batch quadratic).
  void SetValues(const std::string& section, const std::vector<std::pair<std::string, std::string>>& values);
  void DeleteKey(const std::string& section, const std::string& key);
  void DeleteSection(const std::string& section);
  // Replaces every entry of the section by `lines`, where its first entry was.
  void ReplaceEntries(const std::string& section, const std::vector<std::string>& lines);

 private:
  enum class Kind { kOther, kSection, kEntry };
  struct Line {
    Kind kind = Kind::kOther;
    std::string raw;    // as in the file, without its line end
    std::string end;    // "\n", "\r\n", "\r", or "" for a last line without one
    std::string name;   // section or key name, trimmed
    std::string value;  // entry value, trimmed
  };
  struct SectionIndex {
    std::string name;                               // as first written
    std::vector<size_t> headers;                    // line numbers of its headers
    std::vector<size_t> entries;                    // line numbers of its entries
    std::unordered_map<std::string, size_t> byKey;  // lowercase key -> first entry
  };

  static Line ParseLine(std::string raw, bool firstLine, std::string end);
  Line NewLine(const std::string& text) const;
  const SectionIndex* Find(const std::string& section) const;
  std::vector<bool> LinesOf(const std::string& section) const;
  // Drops the marked lines and puts `inserted` before line `insertAt` (end if past it).
  void Rewrite(const std::vector<bool>& drop, size_t insertAt, const std::vector<Line>& inserted);
  void Reindex();

  std::vector<Line> m_lines;
  std::string m_lineEnd = "\n";                              // for new lines: the file's first line end
  std::unordered_map<std::string, SectionIndex> m_sections;  // by lowercase name
  std::vector<std::string> m_sectionOrder;                   // lowercase names, file order
};

}  // namespace platform
