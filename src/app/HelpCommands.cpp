#include "HelpCommands.h"

#include "CommandRegistry.h"
#include "platform/AppPaths.h"
#include "platform/HelpWindow.h"

HelpCommands::HelpCommands(QWidget *frame) : QObject(frame), frame_(frame)
{
    setObjectName(QStringLiteral("HelpCommands"));
}

void HelpCommands::bindCommands(CommandRegistry &c)
{
    static constexpr CommandRegistry::Binding<HelpCommands> table[] = {
        {"HelpContents", &HelpCommands::HelpContents},
        {"HelpSearch", &HelpCommands::HelpSearch},
        {"HelpHowToUse", &HelpCommands::HelpHowToUse},
        {"HTMLPrimer1Click", &HelpCommands::HTMLPrimer1Click},
    };
    c.bindAll(this, table);
}

HelpWindow *HelpCommands::help()
{
    if (helpFolder_.isEmpty())
        helpFolder_ = AppPaths::programFile(QStringLiteral("help"));
    if (!help_)
        help_ = new HelpWindow(frame_);
    help_->setHelpFolder(helpFolder_);
    return help_;
}

void HelpCommands::HelpContents()
{
    help()->showContents();
}

void HelpCommands::showHelpTopic(const QString &topic)
{
    HelpContents();
    if (!topic.isEmpty())
        help_->showTopic(topic);
}

void HelpCommands::HelpSearch()
{
    help()->showSearch(QString());
}

void HelpCommands::HelpHowToUse()
{
    help()->showHelpOnHelp();
}

void HelpCommands::HTMLPrimer1Click()
{
    // The primer is a help file of its own; the program's help comes back afterwards.
    if (helpFolder_.isEmpty())
        helpFolder_ = AppPaths::programFile(QStringLiteral("help"));
    const QString own = helpFolder_;
    helpFolder_ = own + QLatin1String("/primer");
    help()->showContents();
    helpFolder_ = own;
}

void HelpCommands::close()
{
    if (help_)
        help_->close();
}
