#pragma once

#include "wizards/HtmlWriter.h"

#include <QDialog>
#include <QMap>
#include <QStringList>

class AppServices;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class TBag;

// The remembered locations and descriptions of the URL wizard: sorted lists without an entry
// twice (entries that differ in case are different entries).
namespace UrlLists {

// The lists a first run starts with.
QStringList initialLocations();
QStringList initialDescriptions();
// Adds entry in its sorted place unless the list holds it exactly; true when it was added.
bool add(QStringList &list, const QString &entry);
// Sorts as the lists are shown: without regard to case, then by case.
void sort(QStringList &list);

} // namespace UrlLists

// The URL wizard: a link from a location and a description, both remembered in list files.
class TfrmURLWizard : public QDialog {
    Q_OBJECT
public:
    explicit TfrmURLWizard(AppServices &services);

    static const QString LocationsFile;    // "WURLU.fil"
    static const QString DescriptionsFile; // "WURLD.fil"

    QStringList locations() const { return locations_; }
    QStringList descriptions() const { return descriptions_; }

    QComboBox *cmbURL, *cmbDesc;

public slots:
    void LoadLists();
    void OKBtnClick();
    void AddURLtoList(const QString &location);
    void AddDesctoList(const QString &description);
    // Writes both lists; false when one could not be written (the user was told why).
    bool SaveLists();
    void CancelBtnClick();

private:
    // Fills a combo box with a list, keeping the text typed into it.
    static void fill(QComboBox *box, const QStringList &list);
    // Reads a list file into list; a missing file leaves list as it is.
    void readList(const QString &name, QStringList &list);
    bool writeList(const QString &name, const QStringList &list);

    AppServices &services_;
    QStringList locations_, descriptions_;
    // List files that exist but could not be read, with the reason: not replaced unasked.
    QMap<QString, QString> unreadable_;
    QHash<QString, QByteArray> raw_; // the bytes of list lines that were not UTF-8
    TBag *Prefs;
};

// The Internet Explorer extensions: a background sound or a scrolling marquee.
class TfrmIE : public QDialog {
    Q_OBJECT
public:
    explicit TfrmIE(AppServices &services);

    enum Page { SoundsPage, MarqueesPage };
    static const QString SoundFilter;

    QTabBar *tabs() const { return TabSet; }
    QStackedWidget *notebook() const { return Notebook; }
    // The player of the chosen sound, or nullptr when sound cannot be played here.
    QWidget *mediaPlayer() const { return MediaPlayer1; }
    const THTMLWriter &writer() const { return HTMLWrite; }

    QLineEdit *tSound, *tMarquee;
    QSpinBox *spnSoundReps, *spnMarqueeWidth;
    QRadioButton *btnMScroll, *btnMSlide, *btnMAlternate, *btnMLeft, *btnMRight;

public slots:
    void FormCreate();
    void TabSetClick();
    void btnBrowseClick();
    void btnUpperClick();
    void btnLowerClick();
    void btnSlashClick();
    void OKBtnClick();
    void doSoundTag();
    void doMarqueeTag();
    void CancelBtnClick();

private:
    QWidget *buildSoundPage();
    QWidget *buildMarqueePage();

    AppServices &services_;
    QTabBar *TabSet;
    QStackedWidget *Notebook;
    QWidget *MediaPlayer1 = nullptr;
    THTMLWriter HTMLWrite;
};
