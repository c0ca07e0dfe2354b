// Stand-in pictures and texts for the level's dialogs on the shell's test application: the clock,
// the digit sheet, the separators, the tip's pointer and balloon, a theme with a plain button
// style, and the dialogs' texts.
#ifndef DBD_TESTS_SHELL_KIT_DIALOGCONTENT_H
#define DBD_TESTS_SHELL_KIT_DIALOGCONTENT_H

class ShellAppFixture;

// Adds the content to the fixture (before start).
void addDialogContent(ShellAppFixture& fx);

#endif
