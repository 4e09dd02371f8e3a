#include "ProgressEstimate.h"

#include <cmath>

namespace kestrune::shell {

ProgressLabels ProgressLabelsAt(int ticks, int total, int completed) {
    ProgressLabels labels;
    const int left = total - completed;
    if (ticks > 50 && completed > 0) {
        labels.estimateTicks = int(std::ceil(double(ticks) / double(completed) * double(left)));
        labels.done = QStringLiteral("已完成 %1 用时%2秒").arg(completed).arg(ticks / 10);
        labels.left = QStringLiteral("待完成 %1 尚需%2秒")
                          .arg(left)
                          .arg(int(std::ceil(double(labels.estimateTicks) / 10.0)));
        return labels;
    }
    labels.done = QStringLiteral("已完成 %1").arg(completed);
    labels.left = QStringLiteral("待完成 %1").arg(left);
    return labels;
}

} // namespace kestrune::shell
