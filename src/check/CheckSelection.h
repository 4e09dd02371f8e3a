#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

namespace kestrune::check {

// Which records a check run takes. Whatever the choice, only records whose
// reporting state c907 is at most 2 carry survey answers and are checked.
class CheckSelection {
public:
    enum class Kind { AllRecords, UnitRange, UnitCodes };

    static CheckSelection allRecords();
    // Unit codes from `lowest` to `highest`; an upper code below the lower one
    // is raised to it, so the range holds the lower code alone.
    static CheckSelection unitRange(double lowest, double highest);
    // The range as typed into the two boxes (digits only, empty meaning 0);
    // nothing when a bound is 0, the person is then asked for the range.
    static std::optional<CheckSelection> unitRangeFromTexts(const QString& lowest,
                                                            const QString& highest);
    // The records with these unit codes (the rows marked in the record list).
    static CheckSelection unitCodes(const QList<double>& codes);

    Kind kind() const { return kind_; }
    double lowest() const { return lowest_; }
    double highest() const { return highest_; }
    const QList<double>& codes() const { return codes_; }

    // The condition on dt_data that picks the records, with "?" for each value.
    QString condition() const;
    QVariantList parameters() const;

private:
    Kind kind_ = Kind::AllRecords;
    double lowest_ = 0;
    double highest_ = 0;
    QList<double> codes_;
};

inline const QString kMissingRangeMessage = QStringLiteral("请输入逻辑检查的范围");

} // namespace kestrune::check
