# The program's own libraries and what they link, for docs/architecture.md:
# cmake -S . -B build --graphviz=build/graph/quorvel.dot (this file is copied beside the build first).
set(GRAPHVIZ_GRAPH_NAME "Quorvel")
set(GRAPHVIZ_IGNORE_TARGETS "^tst_|^bench_|^quorvel_test|^backup_trial|^quorvel-screenshots|^quorvel_testsupport|Qt6::Test|benchmark|_autogen|^tools_|^makequestionsheet")
set(GRAPHVIZ_EXTERNAL_LIBS TRUE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
