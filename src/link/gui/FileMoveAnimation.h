#pragma once
// The progress dialog's animation: a sheet of paper that flies from one folder to another,
// painted by the widget itself and stepped by its own timer.
#include <QTimer>
#include <QWidget>

namespace mt52 {

class FileMoveAnimation : public QWidget {
public:
    static constexpr int FrameCount = 16;
    static constexpr int FrameMilliseconds = 80;

    explicit FileMoveAnimation(QWidget* parent = nullptr);

    // Starts from the first frame; Stop holds the picture where it is.
    void Play();
    void Stop();
    bool IsPlaying() const { return timer_.isActive(); }
    int Frame() const { return frame_; }
    // Moves on by one frame, wrapping round after the last (the timer calls it).
    void Step();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    int frame_ = 0;
};

}  // namespace mt52
