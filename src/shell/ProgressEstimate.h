#pragma once

#include <QString>

namespace kestrune::shell {

// The two count labels of the progress window after `ticks` timer ticks of
// 100 ms. After 5 seconds, with at least one part complete, they carry the
// time used and an estimate of the time left.
struct ProgressLabels {
    QString done;           // "已完成 %d" or "已完成 %d 用时%d秒"
    QString left;           // "待完成 %d" or "待完成 %d 尚需%d秒"
    int estimateTicks = -1; // -1 until there is an estimate
};

ProgressLabels ProgressLabelsAt(int ticks, int total, int completed);

} // namespace kestrune::shell
