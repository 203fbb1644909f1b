#include "MediaBar.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QStyle>

namespace {

QString clock(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

MediaBar::MediaBar(QWidget *parent) : QWidget(parent)
{
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);

    play_ = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), QString(), this);
    play_->setObjectName(QStringLiteral("btnPlay"));
    play_->setToolTip(tr("Play"));
    stop_ = new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), QString(), this);
    stop_->setObjectName(QStringLiteral("btnStop"));
    stop_->setToolTip(tr("Stop"));
    position_ = new QSlider(Qt::Horizontal, this);
    position_->setObjectName(QStringLiteral("sldPosition"));
    time_ = new QLabel(clock(0), this);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(play_);
    row->addWidget(stop_);
    row->addWidget(position_, 1);
    row->addWidget(time_);

    connect(play_, &QPushButton::clicked, this, &MediaBar::play);
    connect(stop_, &QPushButton::clicked, this, &MediaBar::stop);
    connect(player_, &QMediaPlayer::durationChanged, this, [this](qint64 d) { position_->setRange(0, int(d)); });
    connect(player_, &QMediaPlayer::positionChanged, this, &MediaBar::showPosition);
    connect(position_, &QSlider::sliderMoved, player_, [this](int ms) { player_->setPosition(ms); });
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString &message) { time_->setText(message); });
    play_->setEnabled(false);
    stop_->setEnabled(false);
}

bool MediaBar::open(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return false;
    player_->stop();
    file_ = file;
    player_->setSource(QUrl::fromLocalFile(file));
    const bool sound = !QMediaDevices::defaultAudioOutput().isNull();
    play_->setEnabled(sound);
    stop_->setEnabled(sound);
    time_->setText(sound ? clock(0) : tr("No sound device"));
    return true;
}

void MediaBar::play()
{
    if (!file_.isEmpty())
        player_->play();
}

void MediaBar::stop()
{
    player_->stop();
}

void MediaBar::showPosition()
{
    if (!position_->isSliderDown())
        position_->setValue(int(player_->position()));
    time_->setText(clock(player_->position()));
}
