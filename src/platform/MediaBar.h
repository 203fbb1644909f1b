#pragma once

#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QSlider;

// A small player bar for one sound file: play, stop, the position and its time. Windows reach
// it through its invokable methods, so that the multimedia libraries load with the module
// that holds it and not at start-up.
class MediaBar : public QWidget {
    Q_OBJECT
public:
    explicit MediaBar(QWidget *parent = nullptr);

    // Makes file the sound to play (it does not start playing); false when it is not a file.
    Q_INVOKABLE bool open(const QString &file);
    Q_INVOKABLE QString fileName() const { return file_; }
    Q_INVOKABLE void play();
    Q_INVOKABLE void stop();

private:
    void showPosition();

    QMediaPlayer *player_;
    QAudioOutput *output_;
    QPushButton *play_, *stop_;
    QSlider *position_;
    QLabel *time_;
    QString file_;
};
