#include "SumDialogState.h"

#include "SummaryJob.h"
#include "SummaryWorkbook.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"

namespace kestrune::sum {

SumDialogState::SumDialogState(db::Connection& connection, QString selectionFile)
    : connection_(connection), selectionFile_(std::move(selectionFile)) {}

void SumDialogState::show() {
    tables_.load(selectionFile_);
    groupMenu_.clear();
    db::Dataset groups = connection_.query(QStringLiteral("select * from ct_group"));
    for (; !groups.eof(); groups.next()) {
        GroupMenuEntry entry;
        entry.id = groups.field(QStringLiteral("id")).asInteger();
        entry.name = groups.field(QStringLiteral("name")).asText();
        entry.enabled = connection_
                            .scalar(QStringLiteral("select count(*) as cnt from DT_GroupItem "
                                                   "where GroupID = ?"),
                                    {entry.id})
                            .toLongLong() > 0;
        groupMenu_.push_back(entry);
    }
    if (!groupMenu_.empty()) {
        groupCaption_ = groupMenu_.front().name;
        groupId_ = groupMenu_.front().id;
    }
}

bool SumDialogState::close() {
    return tables_.save(selectionFile_);
}

void SumDialogState::chooseGroup(qint64 id) {
    db::Dataset group =
        connection_.query(QStringLiteral("select * from ct_group where id=?"), {id});
    if (group.eof())
        return;
    groupCaption_ = group.field(QStringLiteral("name")).asText();
    groupId_ = group.field(QStringLiteral("id")).asInteger();
}

std::unique_ptr<SummaryJob> SumDialogState::makeJob() const {
    return std::make_unique<SummaryJob>(connection_, breakdown_,
                                        breakdown_ == Breakdown::Group ? groupId_ : 0,
                                        tables_.checkedSheets(), SummaryTemplatePath());
}

QString SumDialogState::subject() const {
    return SummarySubject(connection_, breakdown_, breakdown_ == Breakdown::Group ? groupId_ : 0);
}

} // namespace kestrune::sum
