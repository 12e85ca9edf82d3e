#pragma once

#include <atomic>

// How many folders the walk may hold open so that their subfolders are opened relative to
// them: a share of the process's limit of open files, the rest kept for everything else.
class HeldFolderBudget {
public:
    HeldFolderBudget();

    // False when the budget is used up; the caller then closes its folder.
    bool take();
    void giveBack();

private:
    int m_limit;
    std::atomic<int> m_held{0};
};
