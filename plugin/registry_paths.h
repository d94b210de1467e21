// The registry values the plug-in reads, as full paths.
#pragma once

namespace zms::registry_paths {

inline constexpr char kEditorInstallLocation[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zentoro\\"
    "InstallLocation";
inline constexpr char kEditorMacroDirectory[] = "HKEY_CURRENT_USER\\Software\\Orlemco\\Zentoro\\Env\\MacroPath";
inline constexpr char kMailProgramDirectory[] =
    "HKEY_CURRENT_USER\\Software\\Orlemco\\Vorenda\\Config\\VorendaDir";

}  // namespace zms::registry_paths
