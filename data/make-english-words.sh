#!/bin/sh
# Makes english-words.txt, the word list ENGLISH.DCT is built from, out of SCOWL's lists
# (Debian's scowl package: /usr/share/dict/scowl), American spelling, sizes 10 to 50.
# Run it by hand when the choice of words changes; the build reads only its output.
#
# What a spelling dictionary should hold, and why:
# - SCOWL's words and contractions of each size, and its computing terms (size 50), under
#   a "#SIZE" line: the builder lays out the common words first, so a suggestion that ties
#   with a rarer one comes first.
# - Capitalized words (English, Monday, Paris) and names (Debian, Robert, O'Brien) of five
#   letters or more: a document may use them. The shorter ones (Moe, Mae, Lesa, Finn, Leif,
#   Los, ING) are rare words that beat common ones among suggestions ("moe" for mroe, "lesa"
#   for lsat) and make splits ("a los" for alos, "begin ing" for begining). Measured with
#   spell_bench on the READMEs under /usr/share/doc: leaving all names out flags 0.9 % more
#   of their real words (1.4 % -> 2.3 %) for 1.4 points more first suggestions; leaving out
#   the short ones flags 0.2 % more for 1.8 points.
# - Abbreviations of three letters or more, lower case (etc, misc) or acronyms (HTML, PDF),
#   which documents use; not the capitalized ones (Ger, Nov), whose lower-case forms are no
#   words and make splits such as "ger at" for gerat.
# - One- and two-letter words only when they are English words (the list below): the
#   others (Mr, TV, Ta, ht, ed) make splits such as "ta ht" for taht and "occur ed".
# - No possessives (lookups drop a final 's).
SCOWL=${SCOWL:-/usr/share/dict/scowl}
UPPER_UPTO=${UPPER_UPTO:-50}
WORDS_UPTO=${WORDS_UPTO:-50}
NAMES_UPTO=${NAMES_UPTO:-50}
SHORT_NAMES_FROM=${SHORT_NAMES_FROM:-50}
SHORT="a i ad ah am an as at ax be by do eh go ha he hi if in is it ma me my no of oh ok on or ow ox pa pi so to uh um up us we ye yo"
out=$(dirname "$0")/english-words.txt
{
  echo "# English words for ENGLISH.DCT, by make-english-words.sh from SCOWL (licence in"
  echo "# english-words-licence.txt). A line #N starts the words of SCOWL size N."
  for size in 10 20 35 40 50; do
    echo "#$size"
    {
      [ "$size" -le "$WORDS_UPTO" ] && cat "$SCOWL/english-words.$size" "$SCOWL/american-words.$size"
      cat "$SCOWL/english-contractions.$size"
      [ "$size" = 50 ] && cat "$SCOWL/special-hacker.50" "$(dirname "$0")/english-words-extra.txt"
      {
        [ "$size" -le "$UPPER_UPTO" ] && cat "$SCOWL/english-upper.$size" "$SCOWL/american-upper.$size"
        [ "$size" -le "$NAMES_UPTO" ] && cat "$SCOWL/english-proper-names.$size" "$SCOWL/american-proper-names.$size"
      } | { [ "$size" -ge "$SHORT_NAMES_FROM" ] && LC_ALL=C grep -E '^.{5,}$' || cat; }
      cat "$SCOWL/english-abbreviations.$size" "$SCOWL/american-abbreviations.$size" | grep -vE '^[A-Z][a-z]+$'
    } 2>/dev/null | grep -v -e "'s$" -e '^#' | LC_ALL=C sort -u
  done | awk -v short="$SHORT" '
    BEGIN { n = split(short, k, " "); for (i = 1; i <= n; i++) keep[k[i]] = 1 }
    /^#/ { print; next }
    { w = tolower($0); if (length(w) <= 2 && !(w in keep)) next; if (w in seen) next; seen[w] = 1; print }'
} > "$out"
