// A library the dependency variant of the test server needs and the loader cannot find.
extern "C" __attribute__((visibility("default"))) int TestServerDependency() { return 1; }
