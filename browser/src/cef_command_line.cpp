#include "cef_command_line.h"

#include "runtime_state.h"

namespace {

const char kSwitchPrefix[] = "--";

}  // namespace

CefRefPtr<CefCommandLine> CefCommandLine::CreateCommandLine() { return new CefCommandLine; }

CefRefPtr<CefCommandLine> CefCommandLine::GetGlobalCommandLine() { return browser_runtime::GlobalCommandLine(); }

void CefCommandLine::InitFromArgv(int argc, const char* const* argv) {
  m_program = argc > 0 ? argv[0] : "";
  m_switches.clear();
  m_arguments.clear();
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.rfind(kSwitchPrefix, 0) != 0 || word.size() == 2) {
      m_arguments.push_back(word);
      continue;
    }
    const size_t equals = word.find('=');
    const std::string name = word.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    m_switches.emplace_back(name, equals == std::string::npos ? "" : word.substr(equals + 1));
  }
}

std::vector<std::string> CefCommandLine::GetSwitchArguments() const {
  std::vector<std::string> words;
  for (const auto& [name, value] : m_switches) words.push_back(kSwitchPrefix + name + (value.empty() ? "" : "=" + value));
  return words;
}

bool CefCommandLine::HasSwitch(const CefString& name) const {
  const std::string wanted = name.ToString();
  for (const auto& entry : m_switches)
    if (entry.first == wanted) return true;
  return false;
}

CefString CefCommandLine::GetSwitchValue(const CefString& name) const {
  const std::string wanted = name.ToString();
  for (const auto& entry : m_switches)
    if (entry.first == wanted) return entry.second;
  return CefString();
}

void CefCommandLine::AppendSwitch(const CefString& name) { m_switches.emplace_back(name.ToString(), ""); }

void CefCommandLine::AppendSwitchWithValue(const CefString& name, const CefString& value) {
  m_switches.emplace_back(name.ToString(), value.ToString());
}
