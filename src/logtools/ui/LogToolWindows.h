#pragma once
// Makes the log tools reachable from the logging windows' menus: registers how each of them is
// built (summary sheet, county list, rate graph, county map, county change, rover county line).

namespace logtools::ui {

void RegisterLogToolWindows();

}  // namespace logtools::ui
