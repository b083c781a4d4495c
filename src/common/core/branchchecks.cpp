#include "common/core/branchchecks.h"

namespace blachorys::core {
namespace {

constexpr int kMaxDivisions = 2000;

} // namespace

std::vector<std::string> branchChecks(const BranchDimensions& d) {
    const std::string branch = d.branchName;
    const std::string shell = d.shellName;
    std::vector<std::string> messages;
    if (d.branch > d.shell) {
        messages.push_back("Blad danych : " + branch + " > " + shell);
    }
    if (d.P > d.shell / 2) {
        messages.push_back("Blad danych : P > " + shell + "/2");
    }
    if (d.BETA >= 180 || d.BETA <= 0) {
        messages.emplace_back("Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°");
    }
    if (d.N < 2) {
        messages.emplace_back("Blad danych : N < 2");
    }
    if (d.N > kMaxDivisions) {
        messages.emplace_back("Blad danych : N > 2000");
    }
    if (d.branch / 2 + d.P > d.shell / 2) {
        messages.push_back("Blad danych : " + branch + "/2 + P > " + shell + "/2");
    }
    return messages;
}

} // namespace blachorys::core
