void kalendoLibPlaceholder() {}
