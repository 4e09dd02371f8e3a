#include "UserInteraction.h"

namespace kestrune::shell {

UserInteraction::~UserInteraction() = default;

} // namespace kestrune::shell
