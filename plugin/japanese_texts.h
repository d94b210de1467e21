// The plug-in's fixed Japanese texts, in code page 932: its three messages and
// the folders a whole account's search looks in.
#pragma once

namespace zms::texts {

extern const char kNotInMailProgram[];   // the macro was started from the editor
extern const char kMainNotRunning[];     // the mail program's main window is not running
extern const char kHostLibraryMissing[];  // VRInfo.dll or an entry of it is missing
extern const char kDefaultFolders[];     // inbox, sent and user folders

}  // namespace zms::texts
