// The frame's tool windows: each is one line here, naming the command that shows it.

#include "CommandRegistry.h"
#include "Guards.h"
#include "Main.h"
#include "Megares.h"
#include "SettingsTable.h"
#include "ToolWindows.h"
#include "library/NotePad.h"
#include "projects/FileTools.h"
#include "projects/ProjectWindow.h"
#include "projects/TemplateWindow.h"
#include "library/UrlWindows.h"
#include "tags/Color.h"
#include "tags/MacroWindows.h"
#include "tags/Pickers.h"
#include "tools/Options.h"
#include "tools/Plugin.h"
#include "tools/Spell.h"
#include "tools/LivePreview.h"
#include "tools/PreviewModule.h"
#include "wizards/BodyWizard.h"
#include "wizards/FormsWizard.h"
#include "wizards/HomePageWizard.h"
#include "wizards/ImageWizard.h"
#include "wizards/JavaWizard.h"
#include "wizards/UrlWizard.h"
#include "wizards/TableWizard.h"

void TmdiMain::registerToolWindows()
{
    using Show = ToolWindows::Show;
    ToolWindows &w = *windows_;
    w.add<TfSymbol>(QStringLiteral("Symbol1Click"));
    w.add<TfHTMLTags>(QStringLiteral("HTMLTagsChooser1Click"));
    w.add<TfColorChooser>(QStringLiteral("ColorChooser1Click"));
    w.add<TfAddMac>(QStringLiteral("Macro1Click"));
    w.add<TfMacros>(QStringLiteral("Macros1Click"), Show::Modal);
    w.add<TfPlugIn>(QStringLiteral("mPlugInsClick"));
    w.add<TfColor>(QString(), Show::Modal);
    w.add<TfTableWiz>(QStringLiteral("TableWizard1Click"));
    w.add<TfFormWiz>(QStringLiteral("FormsWizard1Click"));
    w.add<TfHPWiz>(QString(), Show::Modal);
    w.add<TfWizBody>(QStringLiteral("BodyWizard1Click"));
    w.add<TfrmJavaWiz>(QStringLiteral("JavaWizard1Click"));
    w.add<TfrmURLWizard>(QStringLiteral("URLWizardShow"));
    w.add<TfrmIE>(QStringLiteral("InternetExplorerExtensions1Click"));
    w.add<TfImageBrowser>(QStringLiteral("Pick2Click"));
    w.add<TfURLLibrary>(QStringLiteral("Pick1Click"));
    w.add<TfURLGrab>();
    w.add<TfNetscapeError>(QString(), Show::Modal);
    w.add<TfNotePad>(QStringLiteral("DisplayNotePad1Click"));
    w.add<TfProj>(QStringLiteral("OpenWorkspace1Click"), Show::Modal);
    w.add<TfTemplate>(QStringLiteral("NewfromTemplate1Click"), Show::Modal);
    w.add<TfrmFileTools>(QStringLiteral("TolvenraFileTools1Click"));
    w.add<TfOptions>(QStringLiteral("ApplicationOptions1Click"), Show::Modal);
    w.add<TfrmSpell>();
    PreviewModule::registerWindow(*this, *live_, arguments_);

    // Commands around the windows.
    CommandRegistry &c = *commands_;
    c.bind(QStringLiteral("SetEditorColors1Click"), [this] {
        StatusGuard status(*this, QStringLiteral("Loading Color Dialog ..."));
        windows_->present(QStringLiteral("TfColor"));
    });
    c.bind(QStringLiteral("NewHomePage1Click"), [this] { TfHPWiz::NewHomePage1Click(*this); });
    c.bind(QStringLiteral("SaveOpenasNewProject1Click"), [this] { TfProj::SaveOpenasNewProject1Click(*this); });
    // The file tools are offered when the settings ask for them.
    if (IniControl->readBool(Settings::FileTools))
        for (QAction *a : c.actions(QStringLiteral("TolvenraFileTools1Click"))) {
            a->setVisible(true);
            a->setEnabled(true);
        }
    c.bind(QStringLiteral("CheckSpelling1Click"), [this] { TfrmSpell::CheckSpelling1Click(*this); });
    c.bind(QStringLiteral("GrabURLs1Click"), [this] { UrlCommands::GrabURLs1Click(*this); });
    c.bind(QStringLiteral("ImportURLsfromNetscape1Click"), [this] { UrlCommands::ImportURLsfromNetscape1Click(*this); });
    c.bind(QStringLiteral("ExpandMacrosNow1Click"), [this] { ExpandMacrosNow(*this); });
}
