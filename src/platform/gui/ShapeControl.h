#pragma once
// A filled shape with a border, such as a status lamp: a circle filling the control, drawn in
// the fill colour with a border in the border colour (colours as red + 256 green + 65536 blue).
#include "platform/Types.h"

#include <QWidget>

namespace mt52 {

class ShapeControl : public QWidget {
public:
    explicit ShapeControl(QWidget* parent = nullptr);

    Long FillColor() const { return fillColor_; }
    void FillColor(Long colour);
    Long BorderColor() const { return borderColor_; }
    void BorderColor(Long colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Long fillColor_ = 0xFFFFFF;
    Long borderColor_ = 0;
};

}  // namespace mt52
