#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QPushButton;
class QTabWidget;

namespace kestrune::shell {

class SurveyDatabase;
class UserInteraction;

// "自定义列表项": which fields the record list shows.
class TdlgShowForm : public QDialog {
    Q_OBJECT
public:
    // `rebuildList` rebuilds the main list's columns after saving.
    TdlgShowForm(SurveyDatabase& database, UserInteraction& ui, std::function<void()> rebuildList,
                 QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QList<QCheckBox*> boxes() const { return boxes_; }
    QPushButton* okButton() const { return ok_; }
    // "确  定"
    void save();

private:
    SurveyDatabase& database_;
    UserInteraction& ui_;
    std::function<void()> rebuildList_;
    QTabWidget* tabs_;
    QList<QCheckBox*> boxes_;
    QPushButton* ok_;
};

} // namespace kestrune::shell
