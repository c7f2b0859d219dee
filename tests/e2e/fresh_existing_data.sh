#!/usr/bin/env bash
# A local installation into a folder that already holds a customer's database
# (DATA\FIRME.DB with the customer's own tables): the example database is not unpacked
# and every file of the customer's is byte-identical afterwards; the blank reference
# database is, its three NEW folders emptied first (a stale table there goes).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

program="$WINEPREFIX/drive_c/Corvan"
mkdir -p "$program/DATA" "$program/LUNA01" "$program/NEW/FIRMA"
printf 'customer firms' >"$program/DATA/FIRME.DB"
printf 'customer table' >"$program/DATA/CLIENTI.DB"
printf 'january' >"$program/LUNA01/NOTE.DB"
printf 'stale blank table' >"$program/NEW/FIRMA/VECHI.DB"
customer() { (cd "$program" && find DATA LUNA01 -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(customer)
insert_disk d cdrom "$BUILD/media/cd"

walk_or_fail walk_fresh_local_install 'D:\'
check_nothing_shown

[ "$before" = "$(customer)" ] || fail "the customer's files changed:
$(diff <(echo "$before") <(customer))"
# Of the example database only the name the customer's own table shares is there.
while IFS= read -r file; do
  [ "$file" = DATA/FIRME.DB ] && continue
  [ ! -e "$program/$file" ] || fail "the example database was unpacked over the customer's ($file)"
done < <(cd "$COMPONENTS/DBDAT" && find . -type f -printf '%P\n')
check_component DBNEW "$program"
[ ! -e "$program/NEW/FIRMA/VECHI.DB" ] || fail "the NEW folders were not emptied before the blank database"
for name in EXE OUTPOST HELP PAYDESK; do check_component "$name" "$program"; done
check_archives_gone "$program"
check_aliases 'C:\Corvan'
describe_installation 'C:\Corvan'
echo "local installation over an existing database: ok"
