#pragma once
// What an import did, for its final report.
namespace vel {

struct ImportCounts {
    int added = 0;
    int updated = 0;
    int skipped = 0;
    int deleted = 0;
    int notDeleted = 0;  // absent from the file but in use, or refused by the host
};

}  // namespace vel
