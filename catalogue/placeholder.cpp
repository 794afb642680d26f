// Replaced by the catalogue.
