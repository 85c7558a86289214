// The store library linked whole with QtCore alone (see CMakeLists.txt): the
// link succeeds only while nothing in the store calls into the windows, Gui
// or Widgets. The program is made for its link; it has nothing to do.
int main() { return 0; }
