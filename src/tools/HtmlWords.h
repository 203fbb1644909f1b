#pragma once

#include <QList>
#include <QString>

// Walks the words a reader sees in an HTML text (UTF-8 bytes): the text between tags and the
// values of ALT and TITLE attributes, with entity and character references read as the
// letters they stand for ("caf&eacute;" is "café"). Tags, other attribute values, comments
// and the contents of SCRIPT and STYLE elements are skipped. Words with digits are skipped.
// The walk can be resumed after the text changed (shift()).
class HtmlWords {
public:
    struct Word {
        qsizetype start = 0, end = 0; // the bytes of the word in the text
        QString text;                 // the word as read, references decoded
    };

    // Continues from the last word (or the start) and returns the next one; false at the end.
    bool next(const char *text, qsizetype length, Word *word);
    // The text changed: the bytes [at, at + removed) were replaced by added bytes.
    void shift(qsizetype at, qsizetype removed, qsizetype added);
    // Where the walk stands, in bytes.
    qsizetype position() const { return pos_; }

    // The text a reference stands for ("eacute", "#233", "#xE9"), or empty for an unknown name.
    static QString decodeReference(const QByteArray &name);

private:
    // Takes the tag at pos_ (which holds '<') and moves past it; notes ALT and TITLE values.
    void skipMarkup(const char *text, qsizetype length);
    bool wordIn(const char *text, Word *word);

    qsizetype pos_ = 0;
    qsizetype rangeEnd_ = 0; // while pos_ < rangeEnd_ the walk is inside readable text
    qsizetype afterTag_ = 0; // where the walk goes on after the values of the last tag
    struct Range {
        qsizetype start, end;
    };
    QList<Range> pending_; // attribute values still to read, in order
};
