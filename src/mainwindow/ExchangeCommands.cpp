// The upload exports: "上报到离线版" writes the offline exchange file,
// "上报到网络版" the encrypted upload text for the online version.
#include "exchange/OfflineExport.h"
#include "exchange/OnlineExport.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "shell/Startup.h"
#include "shell/UserInteraction.h"

namespace kestrune::mainwindow {

namespace {

void exportOffline(TMainForm& window) {
    shell::SurveyDatabase& database = window.session().database;
    exchange::ExportOffline(database.connection(), database.currentPath(), database.label(),
                            window.interaction());
}

void exportOnline(TMainForm& window) {
    exchange::ExportOnline(window.session().database.connection(), window.interaction());
}

} // namespace

void AddExchangeCommands(CommandSet& commands) {
    commands.add(ActionId::Export, exportOffline);
    commands.addItem(kOnlineExportItem, exportOnline);
}

} // namespace kestrune::mainwindow
