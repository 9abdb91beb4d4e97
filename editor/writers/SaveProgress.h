#pragma once
// The save progress box ("Saving is in progress. Please wait." over a gauge
// of 0 to 100) as the table writers drive it: Show before the first column,
// the gauge before each further column, Hide once the file is written.  The
// editor window draws it; NoSaveProgress is for saving without a window.

#include <cstdint>

namespace sequara {

class SaveProgress {
public:
    virtual ~SaveProgress() = default;
    // Gauge to 0, box shown and repainted at once, pending messages processed.
    virtual void Show() = 0;
    // Gauge to percent (0..100); no messages are processed.
    virtual void SetPosition(std::int32_t percent) = 0;
    virtual void Hide() = 0;
};

class NoSaveProgress : public SaveProgress {
public:
    void Show() override {}
    void SetPosition(std::int32_t) override {}
    void Hide() override {}
};

// Feeds a SaveProgress column by column, passing on only changed values:
// examined / columns x 100 rounded as the automatic alignment's gauge
// (GaugePercent).
class ColumnProgress {
public:
    ColumnProgress(SaveProgress& box, std::int64_t columns) : box_(box), columns_(columns) {}
    // Before examining column examined + 1.
    void Before(std::int64_t examined);

private:
    SaveProgress& box_;
    std::int64_t columns_;
    std::int32_t shown_ = 0;
};

}  // namespace sequara
