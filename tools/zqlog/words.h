// The words of zqlog's own sentences, one table: each sentence has an id
// (word_ids.h), and the other units hold ids only. A sentence's {} are filled
// in order. Sentence and Phrase hold a sentence as ids; Spoken puts them into
// words, at the printing end.
#ifndef ZQLOG_WORDS_H
#define ZQLOG_WORDS_H

#include <initializer_list>
#include <string>
#include "word_ids.h"

// The sentence, its {} filled in order with fills.
std::string Say(WordId id, std::initializer_list<std::string> fills = {});
const char* Word(WordId id); // the sentence as it stands, for one without {}
std::string Spoken(const Sentence& said);
std::string Spoken(const Phrase& phrase); // "" for none
std::string Count(long n, WordId one, WordId many); // "1 line", "2 lines"

// For the tests: the table's rows stand in their ids' order, and how often
// each sentence was looked up in this process.
bool WordsInOrder();
unsigned long WordUses(WordId id);

#endif
