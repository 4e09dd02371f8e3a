#include "CommandSet.h"

#include <stdexcept>

namespace kestrune::mainwindow {

void CommandSet::add(ActionId action, MainCommand command) {
    if (!commands_.emplace(action, std::move(command)).second)
        throw std::logic_error("an action offered twice: " +
                               ActionInfoOf(action).name.toStdString());
}

void CommandSet::addItem(const QString& itemName, MainCommand command) {
    if (!items_.emplace(itemName, std::move(command)).second)
        throw std::logic_error("an item offered twice: " + itemName.toStdString());
}

void CommandSet::run(ActionId action, TMainForm& window) const {
    if (const auto found = commands_.find(action); found != commands_.end())
        found->second(window);
}

void CommandSet::runItem(const QString& itemName, TMainForm& window) const {
    if (const auto found = items_.find(itemName); found != items_.end())
        found->second(window);
}

} // namespace kestrune::mainwindow
