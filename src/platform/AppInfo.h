#pragma once

// The program's name and version, as every window and the settings file show them.
namespace AppInfo {
inline constexpr char Title[] = "Tolvenra Pro 32 HTML Editor";
inline constexpr char VersionNumber[] = "32.2.2.0";
inline constexpr char Version[] = "Version 32.2.2.0";
inline constexpr char Author[] = "The Tolvenra developers";
inline constexpr char WebSite[] = "https://www.tolvenra.org/";
} // namespace AppInfo
