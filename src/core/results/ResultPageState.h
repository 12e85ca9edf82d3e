#pragma once

// The page writer's state, owned by the main window for the whole program run.
struct ResultPageState {
    int currentPage = 1;
    // Set while a full page is written that another page follows: "bisher" and the
    // next-page link.
    bool morePages = false;
    // Cleared by the search request when it starts; set once the browser shows page 1.
    bool browserOpened = false;
};
