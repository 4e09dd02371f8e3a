#pragma once

#include "shell/RecordColumns.h"

#include <QDialog>
#include <QMap>
#include <QVariantMap>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QAction;

namespace kestrune::entry {

class TNumberEdit;

// "基层以上单位数据": one survey record on fourteen pages, every box named
// after its column and bound to it through the field catalogue.
class TdlgSurveyDataForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 995;
    static constexpr int kClientHeight = 708;

    explicit TdlgSurveyDataForm(const shell::TFieldDataArray& catalogue, QWidget* parent = nullptr);

    QTabWidget* DataPage() const { return pages_; }
    QTextBrowser* rtfNotes() const { return notes_; }
    QWidget* box(const QString& fieldName) const;
    QPushButton* button(const QString& name) const;
    QAction* navAction(const QString& name) const;

    // Reads a stored row (column name -> value) into the bound boxes.
    void ReadRecord(const QVariantMap& row);
    // The bound boxes' values as the row is to store them.
    QVariantMap WrittenValues();
    // Empties the boxes for a new record.
    void PrepareNewRecord();

    void ApplyLevelRules(int level);
    void ApplyReportingState(int state);
    int levelCode() const;
    int stateCode() const;

    void FocusFirstField();
    void FocusNextField(QWidget* from);
    void FocusPriorField(QWidget* from);
    bool modified() const { return modified_; }

Q_SIGNALS:
    // Enter on the last box of the last page.
    void formalSaveRequested();
    // Ctrl+S.
    void temporarySaveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCover();
    QWidget* buildSurveyPage(int index);
    void buildButtons();
    void bindBox(QWidget* box);
    void MarkModified();
    void applyCatalogueLimits();
    QList<QWidget*> tabStops(int page) const;

    shell::TFieldDataArray catalogue_;
    QMap<QString, QString> hints_;
    QTabWidget* pages_;
    QTextBrowser* notes_;
    QMap<QString, QWidget*> boxes_;
    QMap<QString, QPushButton*> buttons_;
    QMap<QString, QAction*> nav_;
    QList<QWidget*> pageContainers_;
    bool modified_ = false;
};

} // namespace kestrune::entry
