// Must not compile: a calculation reaching Qt Widgets.
#include <QWidget>
