#include "ui_record_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace platform::ui {
namespace {

const char kAnswerKey[] = "answer";
const char kAnswerValuePrefix[] = "answer.";
const char kOwnerKey[] = "owner";

std::string escape(const std::string& value) {
  std::string escaped;
  for (char c : value) {
    if (c == '\\') escaped += "\\\\";
    else if (c == '\n') escaped += "\\n";
    else if (c == '\r') escaped += "\\r";
    else escaped += c;
  }
  return escaped;
}

std::string unescape(const std::string& value) {
  std::string plain;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      plain += value[i];
      continue;
    }
    char next = value[++i];
    plain += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return plain;
}

std::string formatOwner(HWND owner) {
  char text[32];
  std::snprintf(text, sizeof(text), "%#llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(owner)));
  return text;
}

std::string format(const RecordedPrompt& prompt) {
  std::string block = "[" + prompt.kind + "]\n";
  block += std::string(kOwnerKey) + "=" + formatOwner(prompt.owner) + "\n";
  for (const auto& [name, value] : prompt.fields) block += name + "=" + escape(value) + "\n";
  block += std::string(kAnswerKey) + "=" + std::to_string(prompt.answer.code) + "\n";
  for (const auto& [name, value] : prompt.answer.values)
    block += kAnswerValuePrefix + name + "=" + escape(value) + "\n";
  return block + "\n";
}

void setEntry(RecordedPrompt& prompt, const std::string& key, const std::string& value) {
  const std::string prefix = kAnswerValuePrefix;
  if (key == kOwnerKey)
    prompt.owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(value.c_str(), nullptr, 0)));
  else if (key == kAnswerKey)
    prompt.answer.code = std::atoi(value.c_str());
  else if (key.compare(0, prefix.size(), prefix) == 0)
    prompt.answer.values[key.substr(prefix.size())] = value;
  else
    prompt.fields[key] = value;
}

}  // namespace

void AppendToRecordFile(const std::string& path, const RecordedPrompt& prompt) {
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  std::string block = format(prompt);
  // O_APPEND places the whole block at the end in one step.
  ssize_t written = ::write(fd, block.data(), block.size());
  (void)written;
  ::close(fd);
}

std::vector<RecordedPrompt> ReadRecordFile(const std::string& path) {
  std::vector<RecordedPrompt> prompts;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      prompts.emplace_back();
      prompts.back().kind = line.substr(1, line.size() - 2);
      continue;
    }
    size_t equals = line.find('=');
    if (prompts.empty() || equals == std::string::npos) continue;
    setEntry(prompts.back(), line.substr(0, equals), unescape(line.substr(equals + 1)));
  }
  return prompts;
}

}  // namespace platform::ui
