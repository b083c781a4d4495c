#include "common/core/sheets/templatewording.h"

namespace blachorys::core {
namespace {

/** The Polish word for `count` things: 1 arkusz, 2–4 (not 12–14) arkusze, else arkuszy. */
std::string counted(int count, const char* one, const char* few, const char* many) {
    const int units = count % 10;
    const int tens = count % 100 / 10;
    const char* word = count == 1 ? one : (units >= 2 && units <= 4 && tens != 1 ? few : many);
    return std::to_string(count) + " " + word;
}

} // namespace

std::string sheetSummary(const TemplatePlan& plan) {
    const auto tiles = static_cast<int>(plan.pages.size());
    return counted(plan.sheetCount(), "arkusz", "arkusze", "arkuszy") + " " +
           paperOf(plan.settings.paper).name + (plan.landscape ? " poziomo" : " pionowo") +
           " (podgląd i " + counted(tiles, "strona", "strony", "stron") + ", siatka " +
           counted(plan.rows, "rząd", "rzędy", "rzędów") + " × " +
           counted(plan.columns, "kolumna", "kolumny", "kolumn") + ")";
}

std::string rowName(int row) {
    std::string name;
    for (int n = row + 1; n > 0; n = (n - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return name;
}

std::string pageName(int row, int column) {
    return rowName(row) + std::to_string(column + 1);
}

} // namespace blachorys::core
