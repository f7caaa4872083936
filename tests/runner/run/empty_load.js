// A file of comments only runs and the status is 0.
