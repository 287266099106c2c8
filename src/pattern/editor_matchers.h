// The user matchers of the editor, registered once for the whole process.
#pragma once

// Makes the editor's user matchers the first entries of the registries:
// lower entry 0 is MatchSjisBackslashChar. A registry that already holds
// them is left as it is, so calling this again does nothing; a registry
// whose entry 0 is another matcher is an internal error (raises 0). Safe to
// call from several threads at once.
void RegisterEditorMatchers();
