#pragma once
// A progress gauge whose percentage stays readable wherever the filled part
// ends: the text is drawn twice, white where it lies over the filled part
// and black where it lies over the empty part.

#include <QColor>
#include <QProgressBar>

namespace sequara {

class ProgressGauge : public QProgressBar {
public:
    ProgressGauge(QColor fill, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};

}  // namespace sequara
