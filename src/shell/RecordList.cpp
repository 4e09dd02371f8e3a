#include "RecordList.h"

#include "schema/Connection.h"

#include <algorithm>

namespace kestrune::shell {

RecordList::RecordList(db::Connection& connection) : connection_(connection) {}

void RecordList::open() {
    std::vector<double> codes;
    db::Dataset rows =
        connection_.query(QStringLiteral("select c901 from view_data order by c901"));
    codes.reserve(size_t(rows.recordCount()));
    for (; !rows.eof(); rows.next())
        codes.push_back(rows.field(QStringLiteral("c901")).asFloat());
    codes_ = std::move(codes);
    current_ = codes_.empty() ? -1 : 0;
    open_ = true;
}

void RecordList::close() {
    codes_.clear();
    current_ = -1;
    open_ = false;
}

void RecordList::setCurrentRow(int row) {
    if (!codes_.empty())
        current_ = std::clamp(row, 0, rowCount() - 1);
}

std::optional<double> RecordList::currentCode() const {
    if (current_ < 0)
        return std::nullopt;
    return codes_[size_t(current_)];
}

void RecordList::requeryAndReturn() {
    requeryAndGoTo(currentCode());
}

void RecordList::requeryAndGoTo(std::optional<double> code) {
    open();
    if (codes_.empty())
        return;
    if (code) {
        const auto it = std::lower_bound(codes_.begin(), codes_.end(), *code);
        if (it != codes_.end() && *it == *code) {
            current_ = int(it - codes_.begin());
            return;
        }
    }
    current_ = rowCount() - 1;
}

void RecordList::connectionClosing() {
    remembered_ = currentCode();
    close();
}

void RecordList::connectionReopened() {
    if (connection_.isOpen())
        requeryAndGoTo(remembered_);
}

} // namespace kestrune::shell
