#pragma once

#include "Errors.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

class EBagError : public EAppError {
public:
    using EAppError::EAppError;
};

// A font as the preference bag stores it: the face, size and style, and a colour.
struct BagFont {
    QFont font;
    int color = 0; // colour code, see ColorCode
};

// Colours as the settings files hold them: a signed integer, 0x00BBGGRR for a plain colour and
// negative (0x80000000 plus an index) for a colour of the desktop scheme.
namespace ColorCode {
constexpr int WindowColor = int(0x80000005u);
constexpr int WindowTextColor = int(0x80000008u);
constexpr int ButtonFaceColor = int(0x8000000Fu);
constexpr int ButtonTextColor = int(0x80000012u);
constexpr int None = 0x1FFFFFFF; // "no colour": transparent
// An invalid colour for None.
QColor toColor(int code);
int fromColor(const QColor &c);

// The named colours of the settings files ("clNavy", "clBtnFace", ...).
struct Named {
    const char *name;
    int code;
};
// The colours with a plain value, and "clNone", in the order lists show them.
extern const Named plainNames[17];
// The colours of the desktop scheme.
extern const Named systemNames[25];
// The name of a code, or an empty string when it has none.
QString nameOf(int code);
// The name of a code, or "$00BBGGRR" for a colour without a name.
QString nameOrHex(int code);
// The code of a name or of a "$" hexadecimal value.
int codeOf(const QString &name, bool *ok);
} // namespace ColorCode

// A window's remembered state: named values kept in memory and loaded from and saved to one
// section of the shared options file "tolvopt.ini". Names are upper-cased; items keep the order
// in which they were first put.
class TBag : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString IniFile READ iniFile WRITE setIniFile)
    Q_PROPERTY(QString IniSect READ iniSect WRITE setIniSect)

public:
    static constexpr int MaxValueLength = 255;
    // The largest font size, in points or pixels, a stored font may have.
    static constexpr int MaxFontSize = 400;

    explicit TBag(QObject *parent = nullptr);
    TBag(const QString &iniFile, const QString &iniSect, QObject *parent = nullptr);

    QString iniFile() const { return iniFile_; }
    QString iniSect() const { return iniSect_; }
    void setIniFile(const QString &v) { iniFile_ = v; }
    void setIniSect(const QString &v) { iniSect_ = v; }

    int count() const { return int(names_.size()); }
    const QStringList &names() const { return names_; }

    void Load();
    void Save();

    QString GetString(const QString &name) const;
    void PutString(const QString &name, const QString &value);
    int GetInteger(const QString &name, int def) const;
    void PutInteger(const QString &name, int value);
    BagFont GetFont(const QString &name, const BagFont &def) const;
    void PutFont(const QString &name, const BagFont &font);
    void GetWindowPos(const QString &name, QWidget *window) const;
    void PutWindowPos(const QString &name, QWidget *window);

    // The six-field font description "style,pitch<size>height;colour:name".
    static QString fontDescription(const BagFont &font);
    // Applies a description onto font; throws EBagError("Invalid font in INI file").
    static void applyFontDescription(const QString &text, BagFont *font);

private:
    void checkConfig() const;
    QString filePath() const;

    QString iniFile_, iniSect_;
    QStringList names_, values_;
};

// Keeps a window's placement in its bag: loads the bag and applies "FORM_PLACE" each time the
// window is shown, stores the placement and saves the bag when it closes.
class BagPlacement : public QObject {
    Q_OBJECT
public:
    BagPlacement(QWidget *window, TBag *bag);
    // Gives window its bag (named "Prefs") in a section of "tolvopt.ini" and keeps its
    // placement there; returns the bag.
    static TBag *attach(QWidget *window, const QString &section);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    TBag *bag_;
};
