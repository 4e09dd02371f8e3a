#pragma once

#include "entry/RegionChoice.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace kestrune::entry {

// "中华人民共和国行政区划": the modal region picker. Three lists side by side
// (provinces, the cities of the chosen province, the counties of the chosen
// city); OK hands back the chosen code and combined name. The choice itself
// is RegionChoice's; the lists follow it and forward clicks and keys to it.
class TCityNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TCityNameForm(db::Connection& connection, QWidget* parent = nullptr);

    // The code the picker opens at (110100 unless set) and, after OK, the
    // chosen code and its combined name.
    void setCode(int code) { choice_.setCode(code); }
    int code() const { return choice_.code(); }
    QString name() const { return choice_.name(); }

    QTableWidget* provinceList() const { return provinces_; }
    QTableWidget* cityList() const { return cities_; }
    QTableWidget* countyList() const { return counties_; }
    QPushButton* confirmButton() const { return confirm_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* makeList(const QString& heading);
    void fillList(QTableWidget* list, const RegionRows& rows, int currentRow);
    void showProvinces();
    void showCities();
    void showCounties();
    void chooseProvince(int row);
    void chooseCity(int row);
    void confirmChoice();
    void confirmCounty();
    void cancelChoice();

    RegionChoice choice_;
    QTableWidget* provinces_;
    QTableWidget* cities_;
    QTableWidget* counties_;
    QPushButton* confirm_;
    QPushButton* cancel_;
    // Set while a list is refilled, so that its moving current row is not
    // taken for the person's move.
    bool filling_ = false;
};

} // namespace kestrune::entry
