// The store's fixture year, for the tests of the fiscal-year operations.
#include "store/Fixture.cpp"  // NOLINT(bugprone-suspicious-include)
