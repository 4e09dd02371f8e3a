#include "UserInteraction.h"

namespace kestrune::shell {

UserInteraction::~UserInteraction() = default;

OpenFilesChoice UserInteraction::chooseOpenFiles(const FileDialogRequest& request) {
    OpenFilesChoice choice;
    const QString file = chooseOpenFile(request);
    if (file.isEmpty())
        return choice;
    choice.files << file;
    const QStringList parts = request.filter.split(QLatin1Char('|'));
    for (int pattern = 1; pattern < parts.size(); pattern += 2) {
        const QString extension = parts[pattern].mid(1); // "*.mdb" -> ".mdb"
        if (file.endsWith(extension)) {
            choice.filterIndex = pattern / 2;
            break;
        }
    }
    return choice;
}

} // namespace kestrune::shell
