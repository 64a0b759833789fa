// A test library without a resource table, linked to one that has a table.
extern "C" int ResTestExtAnswer();

extern "C" int ResTestNoTableAnswer() { return ResTestExtAnswer() + 1; }
