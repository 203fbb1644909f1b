// The built-in templates of the template chooser, line by line.

#include "TemplateTexts.h"

namespace TemplateTexts {

namespace {

const char *const simple[] = {
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//2.0\"> ",
    "<HTML>",
    "<!-- Sample Template for a HTML Document created by Tolvenra Pro Version 2 -->",
    "",
    "<HEAD>",
    "<TITLE>Document Title</TITLE>",
    "</HEAD>",
    "",
    "<BODY>",
    "<H1>Main Page Heading</H1>",
    "<H2>Heading Level 2</H2>",
    "<P>Body Text.</P>",
    "</BODY>",
    "",
    "</HTML>",
    "",
};

const char *const coloured[] = {
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//2.0\">",
    "<HTML>",
    "<!-- Sample Coloured Template for a HTML Document created by Tolvenra for Windows Version 2 -->",
    "",
    "<HEAD>",
    "<TITLE>Document Title</TITLE>",
    "</HEAD>",
    "",
    "<BODY>",
    "<body bgcolor=\"#0F0F8F\" text=\"#FFE27F\" LINK=\"#FFFFFF\" VLINK=\"#FF0000\" ALINK=\"#FFFFFF\">",
    "<A Name=Home></a>",
    "<H1>Main Page Heading</H1>",
    "<H2>Heading Level 2</H2>",
    "<P>Body Text.</P>",
    "",
    "</BODY>",
    "</HTML>",
    "",
};

const char *const graphical[] = {
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.0\">",
    "<HTML>",
    "<!-- Sample Template for a HTML Document created by Tolvenra Pro Version 2 -->",
    "",
    "<HEAD>",
    "<TITLE>Document Title</TITLE>",
    "</HEAD>",
    "",
    "<BODY>",
    "<CENTER>",
    "<H1>Tolvenra Pro HTML Editor</H1>",
    "<IMG SRC=\"YourImageHere\" ALT=\" \" BORDER=1 ALIGN=LEFT>",
    "</CENTER>",
    "<HR SIZE=6>",
    "<H1>About Tolvenra Pro HTML Editor for Windows</H1>",
    "",
    "</BODY>",
    "</HTML>",
};

const char *const frameSets[] = {
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.0\">",
    "<HTML>",
    "<!-- Sample Frames Template for a HTML Document created by Tolvenra Pro Version 2 -->",
    "",
    "<HEAD>",
    "<TITLE>Document Title</TITLE>",
    "</HEAD>",
    "",
    "<FRAMESET ROWS=\"\" COLS=\"\">",
    "      <FRAME SRC=\"\" NAME=\"\">",
    "</FRAMESET>",
    "",
    "</HTML>",
};

} // namespace

const Template builtIn[4] = {
    {simple, int(sizeof simple / sizeof simple[0])},
    {coloured, int(sizeof coloured / sizeof coloured[0])},
    {graphical, int(sizeof graphical / sizeof graphical[0])},
    {frameSets, int(sizeof frameSets / sizeof frameSets[0])},
};

} // namespace TemplateTexts
