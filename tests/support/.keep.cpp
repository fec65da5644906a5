// Keeps the support library non-empty before Kalendo fixtures exist.
