// The record file of the scripted backend: one block per prompt,
//   [kind]
//   owner=0x...
//   <field>=<value>           one line per field
//   answer=<code>
//   answer.<name>=<value>     one line per answer value
// followed by an empty line. Backslashes, line feeds and carriage returns in values are
// written \\, \n and \r.
#pragma once

#include <string>

#include "platform_ui.h"

namespace platform::ui {

// Appends the prompt with one write, so prompts of several processes never interleave.
void AppendToRecordFile(const std::string& path, const RecordedPrompt& prompt);

}  // namespace platform::ui
