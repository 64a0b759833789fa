#include "resource_source_parser.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

class Parser {
 public:
  explicit Parser(const std::string& fileName) : m_fileName(fileName) {}

  ModuleResources parse(std::istream& in) {
    std::string line;
    while (std::getline(in, line)) {
      ++m_line;
      std::vector<Token> tokens = tokenize(line);
      if (!tokens.empty()) statement(tokens);
    }
    if (m_dialog) fail("DIALOG " + std::to_string(m_dialog->id) + " has no END");
    return std::move(m_resources);
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw ResourceSourceError(m_fileName + ":" + std::to_string(m_line) + ": " + what);
  }

  std::vector<Token> tokenize(const std::string& line) const {
    std::vector<Token> tokens;
    size_t i = 0;
    while (true) {
      while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
      if (i == line.size() || (tokens.empty() && line[i] == '#')) return tokens;
      Token token;
      if (line[i] == '"') {
        token.quoted = true;
        i = quotedText(line, i + 1, token.text);
      } else {
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) token.text += line[i++];
      }
      tokens.push_back(token);
    }
  }

  // Reads the text after an opening quote; returns the index after the closing quote.
  size_t quotedText(const std::string& line, size_t i, std::string& text) const {
    while (i < line.size() && line[i] != '"') {
      if (line[i] != '\\') {
        text += line[i++];
        continue;
      }
      if (++i == line.size()) break;
      i = escape(line, i, text);
    }
    if (i == line.size()) fail("unterminated text");
    return i + 1;
  }

  // Decodes the escape whose first character (after the backslash) is at i.
  size_t escape(const std::string& line, size_t i, std::string& text) const {
    static const std::string simple = "ntrabfv\\\"'?";
    static const std::string meaning = "\n\t\r\a\b\f\v\\\"'?";
    char c = line[i];
    if (size_t k = simple.find(c); k != std::string::npos) {
      text += meaning[k];
      return i + 1;
    }
    if (isOctal(c)) {
      int value = 0, digits = 0;
      for (; digits < 3 && i < line.size() && isOctal(line[i]); ++digits, ++i) value = value * 8 + (line[i] - '0');
      if (value > 255) fail("octal escape out of range");
      text += static_cast<char>(value);
      return i;
    }
    if (c == 'x') {
      size_t start = ++i;
      while (i < line.size() && i - start < 2 && std::isxdigit(static_cast<unsigned char>(line[i]))) ++i;
      if (i == start) fail("\\x without hexadecimal digits");
      text += static_cast<char>(std::strtol(line.substr(start, i - start).c_str(), nullptr, 16));
      return i;
    }
    fail(std::string("unknown escape \\") + c);
  }

  void statement(const std::vector<Token>& tokens) {
    if (tokens[0].quoted) fail("a statement starts with a keyword");
    const std::string keyword = upper(tokens[0].text);
    if (keyword == "CONTROL") return control(tokens);
    if (keyword == "END") return end(tokens);
    if (m_dialog) fail(keyword + " inside DIALOG " + std::to_string(m_dialog->id) + " (missing END?)");
    if (keyword == "STRING") return string(tokens);
    if (keyword == "DIALOG") return dialog(tokens);
    if (keyword == "VERSION") return version(tokens);
    fail("unknown statement " + tokens[0].text);
  }

  void expectShape(const std::vector<Token>& tokens, const std::string& shape, size_t optional = 0) const {
    // `shape` has one letter per token after the keyword: n number, t quoted text, w word.
    if (tokens.size() - 1 + optional < shape.size() || tokens.size() - 1 > shape.size())
      fail(tokens[0].text + " takes " + std::to_string(shape.size() - optional) +
           (optional ? " or more" : "") + " values");
    for (size_t i = 1; i < tokens.size(); ++i)
      if ((shape[i - 1] == 't') != tokens[i].quoted)
        fail(std::string("value ") + std::to_string(i) + " of " + tokens[0].text +
             (tokens[i].quoted ? " must not be quoted" : " must be quoted text"));
  }

  long long number(const Token& token, long long lowest, long long highest) const {
    const std::string& text = token.text;
    size_t start = text[0] == '-' ? 1 : 0;
    bool hex = text.size() > start + 2 && text[start] == '0' && (text[start + 1] == 'x' || text[start + 1] == 'X');
    size_t digits = start + (hex ? 2 : 0);
    bool valid = digits < text.size() && text.size() - digits <= 10;
    for (size_t i = digits; valid && i < text.size(); ++i)
      valid = hex ? std::isxdigit(static_cast<unsigned char>(text[i])) : std::isdigit(static_cast<unsigned char>(text[i]));
    if (!valid) fail("not a number: " + text);
    long long value = std::strtoll(text.c_str() + digits, nullptr, hex ? 16 : 10);
    if (start) value = -value;
    if (value < lowest || value > highest) fail("number out of range: " + text);
    return value;
  }

  UINT resourceId(const Token& token) const { return static_cast<UINT>(number(token, 1, 65535)); }
  int coordinate(const Token& token) const { return static_cast<int>(number(token, -32768, 32767)); }
  DWORD style(const Token& token) const { return static_cast<DWORD>(number(token, 0, UINT32_MAX)); }

  void string(const std::vector<Token>& tokens) {
    expectShape(tokens, "nt");
    UINT id = resourceId(tokens[1]);
    if (!m_resources.strings.emplace(id, tokens[2].text).second) fail("STRING " + tokens[1].text + " twice");
  }

  void dialog(const std::vector<Token>& tokens) {
    expectShape(tokens, "nnnnntn", 1);
    DialogTemplate dialog;
    dialog.id = resourceId(tokens[1]);
    dialog.x = coordinate(tokens[2]);
    dialog.y = coordinate(tokens[3]);
    dialog.cx = coordinate(tokens[4]);
    dialog.cy = coordinate(tokens[5]);
    dialog.title = tokens[6].text;
    if (tokens.size() > 7) dialog.style = style(tokens[7]);
    auto inserted = m_resources.dialogs.emplace(dialog.id, dialog);
    if (!inserted.second) fail("DIALOG " + tokens[1].text + " twice");
    m_dialog = &inserted.first->second;
  }

  void control(const std::vector<Token>& tokens) {
    if (!m_dialog) fail("CONTROL outside a DIALOG");
    expectShape(tokens, "nttnnnnnw", 1);
    DialogControlTemplate control;
    control.id = static_cast<int>(number(tokens[1], -1, 65535));
    control.className = tokens[2].text;
    control.text = tokens[3].text;
    control.style = style(tokens[4]);
    control.x = coordinate(tokens[5]);
    control.y = coordinate(tokens[6]);
    control.cx = coordinate(tokens[7]);
    control.cy = coordinate(tokens[8]);
    if (tokens.size() > 9) control.anchors = anchors(tokens[9].text);
    m_dialog->controls.push_back(control);
  }

  unsigned anchors(const std::string& text) const {
    if (upper(text) == "NONE") return kAnchorNone;
    unsigned anchors = 0;
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('|', start);
      if (end == std::string::npos) end = text.size();
      const std::string side = upper(text.substr(start, end - start));
      if (side == "LEFT") anchors |= kAnchorLeft;
      else if (side == "TOP") anchors |= kAnchorTop;
      else if (side == "RIGHT") anchors |= kAnchorRight;
      else if (side == "BOTTOM") anchors |= kAnchorBottom;
      else fail("unknown anchor " + text.substr(start, end - start));
      start = end + 1;
    }
    return anchors;
  }

  void end(const std::vector<Token>& tokens) {
    if (!m_dialog) fail("END without DIALOG");
    expectShape(tokens, "");
    m_dialog = nullptr;
  }

  void version(const std::vector<Token>& tokens) {
    if (tokens.size() < 2 || tokens[1].quoted) fail("VERSION needs FILEVERSION, PRODUCTVERSION, LANGUAGE or VALUE");
    if (!m_resources.version) m_resources.version.emplace();
    VersionInfo& version = *m_resources.version;
    const std::vector<Token> rest(tokens.begin() + 1, tokens.end());
    const std::string what = upper(rest[0].text);
    if (what == "FILEVERSION" || what == "PRODUCTVERSION") {
      expectShape(rest, "w");
      versionNumber(rest[1].text, what == "FILEVERSION" ? version.fileVersion : version.productVersion);
    } else if (what == "LANGUAGE") {
      expectShape(rest, "nn");
      version.language = static_cast<WORD>(number(rest[1], 0, 65535));
      version.codePage = static_cast<WORD>(number(rest[2], 0, 65535));
    } else if (what == "VALUE") {
      expectShape(rest, "tt");
      if (!version.values.emplace(rest[1].text, rest[2].text).second) fail("VERSION VALUE " + rest[1].text + " twice");
    } else {
      fail("unknown VERSION line " + rest[0].text);
    }
  }

  void versionNumber(const std::string& text, WORD (&parts)[4]) const {
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
      size_t end = i < 3 ? text.find('.', start) : text.size();
      if (end == std::string::npos || end == start) fail("a version is four numbers a.b.c.d: " + text);
      Token part{text.substr(start, end - start), false};
      parts[i] = static_cast<WORD>(number(part, 0, 65535));
      start = end + 1;
    }
  }

  std::string m_fileName;
  int m_line = 0;
  ModuleResources m_resources;
  DialogTemplate* m_dialog = nullptr;  // the DIALOG whose END has not come yet
};

}  // namespace

ModuleResources ParseResourceSource(std::istream& in, const std::string& fileName) {
  return Parser(fileName).parse(in);
}
