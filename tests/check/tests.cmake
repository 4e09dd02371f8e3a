# Tests of the logic rules and the batch check (src/check).
