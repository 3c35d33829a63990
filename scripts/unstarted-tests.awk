# Reads ctest's LastTest.log and prints the failed tests that printed nothing
# at all, one name a line.
/^[0-9]+\/[0-9]+ Test: / { sub(/^[0-9]+\/[0-9]+ Test: /, ""); name = $0; next }
/^Output:$/ { getline; getline; silent = ($0 == "<end of output>"); next }
/^Test Failed\.$/ { if (silent) print name }
