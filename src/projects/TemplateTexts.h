#pragma once

// The four built-in templates of the template chooser: Simple, Coloured, Graphical and Frame
// Sets, each as its lines.
namespace TemplateTexts {

struct Template {
    const char *const *lines;
    int count;
};

extern const Template builtIn[4];

} // namespace TemplateTexts
