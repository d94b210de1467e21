// The plug-in's fixed Japanese texts, in code page 932: its messages and
// the folders a whole account's search looks in.
#pragma once

namespace zms::texts {

extern const char kNotInMailProgram[];   // the macro was started from the editor
extern const char kMainNotRunning[];     // the mail program's main window is not running
extern const char kHostLibraryMissing[];  // VRInfo.dll or an entry of it is missing
extern const char kDefaultFolders[];     // inbox, sent and user folders

// What could not be written to the profile file; the message names the file
// and the reason under it.
extern const char kFavoriteNotStored[];
extern const char kFavoriteNotRemoved[];
extern const char kSettingsNotSaved[];     // the scope, the check box, the history
extern const char kFavoriteRefused[];  // the reason for a favourite the file cannot hold

}  // namespace zms::texts
