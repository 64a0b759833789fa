#include "profile_document.h"

#include <strings.h>

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool equalNames(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// The length of the line end at `at`: 2 for CRLF, 1 for LF or a bare CR, 0 at the end.
size_t lineEndLength(const std::string& content, size_t at) {
  if (at >= content.size()) return 0;
  return content.compare(at, 2, "\r\n") == 0 ? 2 : 1;
}

}  // namespace

bool ProfileDocument::SameName(const std::string& a, const std::string& b) { return equalNames(trim(a), trim(b)); }

ProfileDocument ProfileDocument::Parse(const std::string& content) {
  ProfileDocument document;
  size_t start = 0;
  while (start < content.size()) {
    const size_t cut = std::min(content.find_first_of("\r\n", start), content.size());
    const size_t endLength = lineEndLength(content, cut);
    document.m_lines.push_back(
        ParseLine(content.substr(start, cut - start), document.m_lines.empty(), content.substr(cut, endLength)));
    start = cut + endLength;
  }
  if (!document.m_lines.empty() && !document.m_lines.front().end.empty())
    document.m_lineEnd = document.m_lines.front().end;
  document.Reindex();
  return document;
}

std::string ProfileDocument::Serialize() const {
  std::string content;
  for (const Line& line : m_lines) content += line.raw + line.end;
  return content;
}

// A line is read up to a NUL byte. Lines that are neither a
// "[section]" header nor a "key=value" entry (comments, blanks, a "[" without "]",
// text without "=") are kept but mean nothing.
ProfileDocument::Line ProfileDocument::ParseLine(std::string raw, bool firstLine, std::string end) {
  Line line;
  line.raw = std::move(raw);
  line.end = std::move(end);
  std::string text = line.raw.substr(0, line.raw.find('\0'));
  if (firstLine && text.compare(0, 3, kByteOrderMark) == 0) text.erase(0, 3);
  text = trim(text);
  if (text.empty() || text[0] == ';') return line;
  if (text[0] == '[') {
    const size_t close = text.rfind(']');
    if (close == std::string::npos) return line;
    line.kind = Kind::kSection;
    line.name = trim(text.substr(1, close - 1));
    return line;
  }
  const size_t equals = text.find('=');
  if (equals == std::string::npos) return line;
  line.name = trim(text.substr(0, equals));
  if (line.name.empty()) return line;
  line.kind = Kind::kEntry;
  line.value = trim(text.substr(equals + 1));
  return line;
}

ProfileDocument::Line ProfileDocument::NewLine(const std::string& text) const {
  return ParseLine(text, false, m_lineEnd);
}

const ProfileDocument::SectionIndex* ProfileDocument::Find(const std::string& section) const {
  auto found = m_sections.find(lower(trim(section)));
  return found == m_sections.end() ? nullptr : &found->second;
}

const std::string* ProfileDocument::Value(const std::string& section, const std::string& key) const {
  const SectionIndex* index = Find(section);
  if (!index) return nullptr;
  auto found = index->byKey.find(lower(trim(key)));
  return found == index->byKey.end() ? nullptr : &m_lines[found->second].value;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const std::string& key : m_sectionOrder) names.push_back(m_sections.at(key).name);
  return names;
}

std::vector<std::string> ProfileDocument::KeyNames(const std::string& section) const {
  std::vector<std::string> names;
  if (const SectionIndex* index = Find(section))
    for (size_t line : index->entries) names.push_back(m_lines[line].name);
  return names;
}

std::vector<std::string> ProfileDocument::Entries(const std::string& section) const {
  std::vector<std::string> entries;
  if (const SectionIndex* index = Find(section))
    for (size_t line : index->entries) entries.push_back(m_lines[line].name + '=' + m_lines[line].value);
  return entries;
}

void ProfileDocument::SetValue(const std::string& section, const std::string& key, const std::string& value) {
  SetValues(section, {{key, value}});
}

void ProfileDocument::SetValues(const std::string& section,
                                const std::vector<std::pair<std::string, std::string>>& values) {
  const SectionIndex* index = Find(section);
  std::vector<Line> added;
  if (!index) added.push_back(NewLine('[' + trim(section) + ']'));
  auto lineInFile = [&](const std::string& folded) -> Line* {
    if (!index) return nullptr;
    auto found = index->byKey.find(folded);
    return found == index->byKey.end() ? nullptr : &m_lines[found->second];
  };
  std::unordered_map<std::string, size_t> addedByKey;  // lowercase key -> place in `added`
  for (const auto& [key, value] : values) {
    const std::string keyName = trim(key);
    const std::string folded = lower(keyName);
    if (Line* line = lineInFile(folded)) {
      *line = ParseLine(line->name + '=' + value, false, line->end);  // same name: the index holds
    } else if (auto pending = addedByKey.find(folded); pending != addedByKey.end()) {
      added[pending->second] = NewLine(added[pending->second].name + '=' + value);
    } else {
      addedByKey.emplace(folded, added.size());
      added.push_back(NewLine(keyName + '=' + value));
    }
  }
  if (added.empty()) return;
  size_t insertAt = m_lines.size();
  if (index) {
    insertAt = index->headers.front() + 1;
    for (size_t i = insertAt; i < m_lines.size() && m_lines[i].kind != Kind::kSection; ++i)
      if (m_lines[i].kind == Kind::kEntry) insertAt = i + 1;
  }
  Rewrite({}, insertAt, added);
}

void ProfileDocument::DeleteKey(const std::string& section, const std::string& key) {
  const std::string keyName = trim(key);
  std::vector<bool> drop = LinesOf(section);
  for (size_t i = 0; i < m_lines.size(); ++i)
    drop[i] = drop[i] && m_lines[i].kind == Kind::kEntry && equalNames(m_lines[i].name, keyName);
  Rewrite(drop, m_lines.size(), {});
}

void ProfileDocument::DeleteSection(const std::string& section) { Rewrite(LinesOf(section), m_lines.size(), {}); }

void ProfileDocument::ReplaceEntries(const std::string& section, const std::vector<std::string>& lines) {
  std::vector<Line> inserted;
  for (const std::string& text : lines) inserted.push_back(NewLine(text));
  const SectionIndex* index = Find(section);
  if (!index) {
    inserted.insert(inserted.begin(), NewLine('[' + trim(section) + ']'));
    Rewrite({}, m_lines.size(), inserted);
    return;
  }
  const size_t insertAt = index->entries.empty() ? index->headers.front() + 1 : index->entries.front();
  std::vector<bool> drop = LinesOf(section);
  for (size_t i = 0; i < m_lines.size(); ++i) drop[i] = drop[i] && m_lines[i].kind == Kind::kEntry;
  Rewrite(drop, insertAt, inserted);
}

std::vector<bool> ProfileDocument::LinesOf(const std::string& section) const {
  const std::string sectionName = trim(section);
  std::vector<bool> inside(m_lines.size(), false);
  bool current = false;
  for (size_t i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].kind == Kind::kSection) current = equalNames(m_lines[i].name, sectionName);
    inside[i] = current;
  }
  return inside;
}

void ProfileDocument::Rewrite(const std::vector<bool>& drop, size_t insertAt, const std::vector<Line>& inserted) {
  // A last line without a line end gets one when lines are appended after it.
  if (insertAt >= m_lines.size() && !inserted.empty() && !m_lines.empty() && m_lines.back().end.empty())
    m_lines.back().end = m_lineEnd;
  std::vector<Line> result;
  result.reserve(m_lines.size() + inserted.size());
  for (size_t i = 0; i <= m_lines.size(); ++i) {
    if (i == insertAt) result.insert(result.end(), inserted.begin(), inserted.end());
    if (i < m_lines.size() && !(i < drop.size() && drop[i])) result.push_back(std::move(m_lines[i]));
  }
  m_lines = std::move(result);
  Reindex();
}

void ProfileDocument::Reindex() {
  m_sections.clear();
  m_sectionOrder.clear();
  SectionIndex* current = nullptr;
  for (size_t i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.kind == Kind::kSection) {
      const std::string key = lower(line.name);
      auto [entry, isNew] = m_sections.try_emplace(key);
      if (isNew) {
        entry->second.name = line.name;
        m_sectionOrder.push_back(key);
      }
      entry->second.headers.push_back(i);
      current = &entry->second;
    } else if (line.kind == Kind::kEntry && current) {
      current->entries.push_back(i);
      current->byKey.emplace(lower(line.name), i);
    }
  }
}

}  // namespace platform
