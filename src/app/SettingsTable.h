#pragma once

// The keys of the settings file ("TOLVENRA.INI") that the program reads and writes, each with
// its section, type and default. Code reads and writes settings through these, never through
// spelled-out section and key names.
struct SettingKey {
    enum Type { String, Integer, Bool };
    const char *section;
    const char *key;
    Type type;
    const char *def; // the default as the file would hold it ("1" for true)
};

namespace Settings {

// Application Header: personal details and what the program writes about itself.
inline constexpr SettingKey UserName{"Application Header", "User Name", SettingKey::String, "Your Name"};
inline constexpr SettingKey EMail{"Application Header", "EMail", SettingKey::String, "you@example.com"};
inline constexpr SettingKey HomePage{"Application Header", "Home Page", SettingKey::String, "https://www.example.com/"};
inline constexpr SettingKey Organisation{"Application Header", "Organisation", SettingKey::String, "Your Organisation"};
inline constexpr SettingKey ProgramName{"Application Header", "Programe Name", SettingKey::String, ""};
inline constexpr SettingKey ProgramVersion{"Application Header", "Version", SettingKey::String, ""};
inline constexpr SettingKey ProgramAuthor{"Application Header", "Author", SettingKey::String, ""};

// Application Options: the frame's placement, its bars and the start-up folder.
inline constexpr SettingKey MdiState{"Application Options", "MDI State", SettingKey::Integer, "1"};
inline constexpr SettingKey MdiLeft{"Application Options", "MDI Left", SettingKey::Integer, "1"};
inline constexpr SettingKey MdiTop{"Application Options", "MDI Top", SettingKey::Integer, "1"};
inline constexpr SettingKey MdiWidth{"Application Options", "MDI Width", SettingKey::Integer, "640"};
inline constexpr SettingKey MdiHeight{"Application Options", "MDI Height", SettingKey::Integer, "480"};
inline constexpr SettingKey EditToolBar{"Application Options", "Edit ToolBar", SettingKey::Bool, "1"};
inline constexpr SettingKey TagsToolBar{"Application Options", "Tags ToolBar", SettingKey::Bool, "1"};
inline constexpr SettingKey FormatToolBar{"Application Options", "Format ToolBar", SettingKey::Bool, "1"};
inline constexpr SettingKey TableToolBar{"Application Options", "Table ToolBar", SettingKey::Bool, "1"};
inline constexpr SettingKey FormsToolBar{"Application Options", "Forms ToolBar", SettingKey::Bool, "1"};
inline constexpr SettingKey ListToolBar{"Application Options", "List ToolBar", SettingKey::Bool, "1"};
inline constexpr SettingKey DocumentTabs{"Application Options", "Document Tabs", SettingKey::Bool, "1"};
// Empty means the program folder.
inline constexpr SettingKey StartupDirectory{"Application Options", "Startup Directory", SettingKey::String, ""};

// The file tools' menu item: hidden unless this is set.
inline constexpr SettingKey FileTools{"Application Options", "File Tools", SettingKey::Bool, "0"};

// System and start-up.
inline constexpr SettingKey OpenTemplate{"System", "Open Template", SettingKey::Bool, "1"};
inline constexpr SettingKey CreateBackup{"System", "Create Backup", SettingKey::Bool, "1"};
inline constexpr SettingKey Tips{"Start Options", "Tips", SettingKey::Bool, "1"};

// The editor.
inline constexpr SettingKey WordWrap{"Editor", "Word Wrap", SettingKey::Bool, "1"};
inline constexpr SettingKey SmartTabs{"Editor", "Smart Tabs", SettingKey::Bool, "0"};
inline constexpr SettingKey TabSize{"Editor", "Tab Size", SettingKey::Integer, "8"};

// Tag insertion: "U", "L" or "W" (as written), and "Y" to keep the wrapped text selected.
inline constexpr SettingKey TagCase{"Tags", "Case", SettingKey::String, "W"};
inline constexpr SettingKey StaySelected{"Tags", "Stay Selected", SettingKey::String, "Y"};

// The forms wizard: the action address of the last form declaration written.
inline constexpr SettingKey FormActionUrl{"Form Defaults", "Action URL", SettingKey::String, "http://"};

// The spell checker's dictionary, by name ("en_US").
inline constexpr SettingKey SpellDictionary{"Spelling", "Dictionary", SettingKey::String, "en_US"};

// The recent-files list: keys "0" to "9" of this section.
inline constexpr char RecentFilesSection[] = "MRU";

// Every key above, for tools that list or check the settings.
inline constexpr const SettingKey *all[] = {
    &UserName, &EMail, &HomePage, &Organisation, &ProgramName, &ProgramVersion, &ProgramAuthor,
    &MdiState, &MdiLeft, &MdiTop, &MdiWidth, &MdiHeight, &EditToolBar, &TagsToolBar, &FormatToolBar,
    &TableToolBar, &FormsToolBar, &ListToolBar, &DocumentTabs, &StartupDirectory, &FileTools, &OpenTemplate,
    &CreateBackup, &Tips, &WordWrap, &SmartTabs, &TabSize, &TagCase, &StaySelected, &FormActionUrl, &SpellDictionary,
};

} // namespace Settings
