#pragma once

#include "Maintenance.h"

#include <QString>
#include <optional>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

// The records the main window lists, in unit-code order, with the current
// row. It holds the ordered unit codes of the last query (a snapshot); the
// list and the entry dialog's navigation see the same snapshot until the next
// re-query.
class RecordList : public ConnectionClient {
public:
    explicit RecordList(db::Connection& connection);

    void open();
    void close();
    bool isOpen() const { return open_; }

    int rowCount() const { return int(codes_.size()); }
    bool isEmpty() const { return codes_.empty(); }
    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    double codeAt(int row) const { return codes_.at(size_t(row)); }
    std::optional<double> currentCode() const;

    // Takes a new snapshot and returns to the record that was current; when
    // it is gone, to the last row.
    void requeryAndReturn();
    // Takes a new snapshot and goes to the record with this code, else the last row.
    void requeryAndGoTo(std::optional<double> code);

    void connectionClosing() override;
    void connectionReopened() override;

private:
    db::Connection& connection_;
    std::vector<double> codes_;
    int current_ = -1;
    bool open_ = false;
    std::optional<double> remembered_;
};

} // namespace kestrune::shell
