#include "TagCatalogue.h"

#include <QLocale>

namespace TagCatalogue {

const char *const PlaceholderAddress = "someone@example.com";

// handler, opening, closing, with a selection variant, opening and closing without selection
const Command commands[] = {
    {"HeadingLevel1Click", "<H1>", "</H1>", false, "", ""},
    {"HeadingLevel21Click", "<H2>", "</H2>", false, "", ""},
    {"HeadingLevel31Click", "<H3>", "</H3>", false, "", ""},
    {"HeadingLevel41Click", "<H4>", "</H4>", false, "", ""},
    {"HeadingLevel51Click", "<H5>", "</H5>", false, "", ""},
    {"HeadingLevel61Click", "<H6>", "</H6>", false, "", ""},
    {"HeadingLevel12Click", "<H1 ALIGN=LEFT>", "</H1>", false, "", ""},
    {"HeadingLevel22Click", "<H2 ALIGN=LEFT>", "</H2>", false, "", ""},
    {"HeadingLevel32Click", "<H3 ALIGN=LEFT>", "</H3>", false, "", ""},
    {"HeadingLevel42Click", "<H4 ALIGN=LEFT>", "</H4>", false, "", ""},
    {"HeadingLevel52Click", "<H5 ALIGN=LEFT>", "</H5>", false, "", ""},
    {"HeadingLevel62Click", "<H6 ALIGN=LEFT>", "</H6>", false, "", ""},
    {"LineBreak1Click", "<BR>", "", false, "", ""},
    {"ParagraphMarker1Click", "<P>", "", false, "", ""},
    {"ParagraphMarkerwithEnd1Click", "<P>", "", false, "", ""},
    {"Center1Click", "<CENTER>", "</CENTER>", false, "", ""},
    {"HorizontalLine1Click", "<HR>", "", false, "", ""},
    {"HorizontalLinewithSize1Click", "<HR SIZE=n>", "", false, "", ""},
    {"Size1Click", "<FONT SIZE=n>", "</FONT>", false, "", ""},
    {"Bold1Click", "<B>", "</B>", false, "", ""},
    {"Emphasis1Click", "<EM>", "</EM>", false, "", ""},
    {"Italics1Click", "<I>", "</I>", false, "", ""},
    {"Strong1Click", "<STRONG>", "</STRONG>", false, "", ""},
    {"Underline1Click", "<U>", "</U>", false, "", ""},
    {"Address1Click", "<ADDRESS>", "</ADDRESS>", false, "", ""},
    {"Blink1Click", "<BLINK>", "</BLINK>", false, "", ""},
    {"BlockQuote1Click", "<BLOCKQUOTE>", "</BLOCKQUOTE>", false, "", ""},
    {"Citation1Click", "<CITE>", "</CITE>", false, "", ""},
    {"Code1Click", "<CODE>", "</CODE>", false, "", ""},
    {"Keyboard1Click", "<KBD>", "</KBD>", false, "", ""},
    {"PreformattedText1Click", "<PRE>", "</PRE>", false, "", ""},
    {"PreformattedTextwithWidth1Click", "<PRE WIDTH=\"80\">", "</PRE>", false, "", ""},
    {"Sample1Click", "<SAMP>", "</SAMP>", false, "", ""},
    {"Varibale1Click", "<VAR>", "</VAR>", false, "", ""},
    {"DefinitionList1Click", "<DL>", "</DL>", false, "", ""},
    {"Directory1Click", "<DIR>", "</DIR>", false, "", ""},
    {"Menu1Click", "<MENU>", "</MENU>", false, "", ""},
    {"OrderedList1Click", "<OL>", "</OL>", false, "", ""},
    {"UnorderedList1Click", "<UL>", "</UL>", false, "", ""},
    {"ListItem1Click", "<LI>", "", false, "", ""},
    {"DefinintionTerm1Click", "<DT>", "</DT>", false, "", ""},
    {"Definition1Click", "<DD>", "</DD>", false, "", ""},
    {"DocumentType1Click", "<!DOCTYPE HTML PUBLIC ", "\"-//IETF//DTD HTML//EN//3.0\">", false, "", ""},
    {"HTML1Click", "<HTML>", "</HTML>", false, "", ""},
    {"Body1Click", "<HEAD>", "</HEAD>", false, "", ""},
    {"DocumentTitle1Click", "<TITLE>", "</TITLE>", false, "", ""},
    {"Body2Click", "<BODY>", "</BODY>", false, "", ""},
    {"DocumentBodywBackground1Click", "<BODY BACKGROUND=\"\" BGCOLOR=\"#rrggbb\" TEXT=\"#rrggbb\" LINK=\"#rrggbb\" VLINK=\"#rrggbb\" ALINK=\"#rrggbb\">", "</BODY>", false, "", ""},
    {"TableClick", "<TABLE>", "</TABLE>", false, "", ""},
    {"TRClick", "<TR>", "</TR>", false, "", ""},
    {"THClick", "<TH>", "</TH>", false, "", ""},
    {"TDClick", "<TD>", "</TD>", false, "", ""},
    {"btnFormClick", "<FORM METHOD=\"POST\" ACTION=\"http://\">", "</FORM>", false, "", ""},
    {"btnFTextClick", "<INPUT TYPE=\"TEXT\" NAME=\"\" VALUE=\"\" MAXLENGTH=50>", "", false, "", ""},
    {"btnFMultiClick", "<TEXTAREA NAME=\"\" ROWS=\"\" COLS=\"\">", "</TEXTAREA>", false, "", ""},
    {"btnCheckClick", "<INPUT TYPE=\"CHECKBOX\" NAME=\"\" VALUE=\"\" ALIGN=Left>", "", false, "", ""},
    {"btnRadioClick", "<INPUT TYPE=\"RADIO\" NAME=\"\" VALUE=\"\" ALIGN=Left>", "", false, "", ""},
    {"btnResetClick", "<INPUT TYPE=\"RESET\" VALUE=\"Reset\">", "", false, "", ""},
    {"btnsubClick", "<INPUT TYPE=\"SUBMIT\" VALUE=\"Submit\">", "", false, "", ""},
    {"btnOptionClick", "<OPTION>", "", false, "", ""},
    {"btnSelectClick", "<SELECT NAME=\"\" SIZE=\"\" MULTIPLE>", "</SELECT>", false, "", ""},
    {"FrameSetDeclarationAbbr1Click", "<FRAMESET>", "</FRAMESET>", false, "", ""},
    {"FrameSetDeclarationFull1Click", "<FRAMESET ROWS=\"\" COLS=\"\">", "</FRAMESET>", false, "", ""},
    {"FrameAbbr1Click", "<FRAME>", "<!-- END OF FRAME -->", false, "", ""},
    {"FrameFull1Click", "<FRAME SRC=\"\" NAME=\"\" MARGINWIDTH=\"\" MARGINHEIGHT=\"\" SCROLLING=\"YES\">", "<!-- END OF FRAME -->", false, "", ""},
    {"FrameNonResizeableFull1Click", "<FRAME SRC=\"\" NAME=\"\" MARGINWIDTH=\"\" MARGINHEIGHT=\"\" SCROLLING=\"YES\" NORESIZE>", "<!-- END OF FRAME -->", false, "", ""},
    {"NoFrameOption1Click", "<NOFRAMES>", "</NOFRAMES>", false, "", ""},
    {"JavaSimple1Click", "<APPLET CODE=\"MyApplet.class\" WIDTH=100 HEIGHT=110>", "</APPLET>", false, "", ""},
    {"JavaExtendedwithoutPrompts1Click", "<APPLET CODEBASE=\"\" CODE=\"\" ALT=\"\" NAME=\"\" WIDTH= HEIGHT= ALIGN= VSPACE= HSPACE=>", "</APPLET>", false, "", ""},
    {"JavaExtended1Click", "<APPLET CODEBASE=\"CodeBaseURL\" CODE=\"AppletFile\" ALT=\"AlternateText\" NAME=\"AppletInstanceName\" WIDTH=pixels HEIGHT=pixels ALIGN=Alignment VSPACE=pixels HSPACE=pixels>", "</APPLET>", false, "", ""},
    {"Parameter1Click", "<PARAM NAME=\"AppletAttribute\" VALUE=\"Value\">", "", false, "", ""},
    {"Simple1Click", "<A HREF=\"", "\">description_here</A>", true, "<A HREF=\"your link here", "\">description_here</A>"},
    {"Simple2Click", "<IMG SRC=\"", "\" ALT=\"\">", true, "<IMG SRC=\"your image", "\" ALT=\"Text Version\">"},
    {"AsanImageMap1Click", "<IMG SRC=\"", "\" ALT=\"\" ISMAP>", false, "", ""},
    {"FullNetscapeDeclaration1Click", "<IMG SRC=\"", "\" ALT=\"\" WIDTH=value HEIGHT=value BORDER=0 ALIGN=TOP VSPACE=value HSPACE=value>", false, "", ""},
    {"Anchor1Click", "<A NAME=", "></A>", true, "<A NAME=Anchor_Name", "></A>"},
    {"Simple3Click", "<A HREF=\"MailTo:", "\">YourName</A>", true, "<A HREF=\"MailTo:{address}\"> ", "Your_Name</A>"},
    {"MarkasComment1Click", "<!--", "-->", false, "", ""},
    {"PreDefined1Click", "<A HREF=\"MailTo:{EMail}\">", "{User Name}</A>", false, "", ""},
    {"MailtomeURL1Click", "<A HREF=\"MailTo:{EMail}\"> ", "Send mail to {User Name}</A>", false, "", ""},
    {"MyHomePageURL1Click", "<A HREF=\"{Home Page}\"> ", "Home Page</A>", false, "", ""},
    {"MyCompany1Click", "<STRONG>{Organisation}", "</STRONG>", false, "", ""},
    {"LastUpdated1Click", "<i>Last Updated by {User Name}", " on {date}.</i>", false, "", ""},
    {"SmallFont1Click", "<FONT SIZE=\"1\">", "</FONT>", false, "", ""},
    {"BigCharacters1Click", "<FONT SIZE=\"+4\"><B>", "</B></FONT>", false, "", ""},
};
const int commandCount = int(sizeof(commands) / sizeof(commands[0]));

QString lastUpdatedDate(const QDateTime &when)
{
    const QLocale locale = QLocale::system();
    const QDate d = when.date();
    const QTime t = when.time();
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QStringLiteral("%1, %2 %3, %4 at %5:%6 %7")
        .arg(locale.dayName(d.dayOfWeek(), QLocale::LongFormat))
        .arg(d.day())
        .arg(locale.monthName(d.month(), QLocale::LongFormat))
        .arg(d.year())
        .arg(hour12)
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString fill(const QString &text, const QHash<QString, QString> &fields)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'{') {
            const qsizetype end = text.indexOf(u'}', i);
            if (end > i) {
                const auto it = fields.constFind(text.mid(i + 1, end - i - 1));
                if (it != fields.constEnd()) {
                    out += *it;
                    i = end + 1;
                    continue;
                }
            }
        }
        out += text[i++];
    }
    return out;
}

} // namespace TagCatalogue
