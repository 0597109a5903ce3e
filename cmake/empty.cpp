// Placeholder so a folder without windows still yields a library.
