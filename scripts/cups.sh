#!/usr/bin/env bash
# A private CUPS server: configuration, spool, logs and socket under DIR.
# Its one queue, "PDF" (the default), writes each job as a PDF named after
# the job's title into $HOME/PDF. No system service is touched.
#   cups.sh start DIR    starts it and prints the socket path (CUPS_SERVER)
#   cups.sh stop DIR     stops it
set -euo pipefail
cmd=${1:?usage: cups.sh start|stop DIR}
dir=$(mkdir -p "${2:?usage: cups.sh start|stop DIR}" && cd "$2" && pwd)
sock=$dir/cups.sock
PPD_SOURCE=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

running() { [[ -f $dir/cupsd.pid ]] && kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; }

# The receipt's paper (76 x 110 mm = 215.43 x 311.81 pt) added to the PDF
# driver: Wine's driver takes a page size only from a paper the PPD lists.
write_ppd() {
  awk '
    { print }
    /^\*PageSize A4\/A4:/        { print "*PageSize Recibo76x110/Recibo 76 x 110 mm: \"<</PageSize[215.43 311.81]/ImagingBBox null>>setpagedevice\"" }
    /^\*PageRegion A4\/A4:/      { print "*PageRegion Recibo76x110/Recibo 76 x 110 mm: \"<</PageSize[215.43 311.81]/ImagingBBox null>>setpagedevice\"" }
    /^\*ImageableArea A4\/A4:/   { print "*ImageableArea Recibo76x110/Recibo 76 x 110 mm: \"0 0 215.43 311.81\"" }
    /^\*PaperDimension A4\/A4:/  { print "*PaperDimension Recibo76x110/Recibo 76 x 110 mm: \"215.43 311.81\"" }
  ' "$PPD_SOURCE" >"$dir/PDF.ppd"
}

case $cmd in
start)
  if running; then echo "$sock"; exit 0; fi
  mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state/certs" "$dir/log"
  chmod 0710 "$dir/spool"; chmod 1777 "$dir/spool/tmp"
  cat >"$dir/etc/cupsd.conf" <<CONF
Listen $sock
LogLevel warn
Browsing No
DefaultAuthType None
WebInterface No
MaxJobs 0
PreserveJobHistory No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
CONF
  write_ppd
  /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >/dev/null 2>&1 &
  echo $! >"$dir/cupsd.pid"
  for _ in $(seq 1 100); do
    [[ -S $sock ]] && lpstat -h "$sock" -r >/dev/null 2>&1 && break
    sleep 0.1
  done
  running || { echo "CUPS did not start; see $dir/log/error_log" >&2; exit 1; }
  lpadmin -h "$sock" -p PDF -v cups-pdf:/ -E -P "$dir/PDF.ppd"
  lpadmin -h "$sock" -d PDF
  echo "$sock"
  ;;
stop)
  if running; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  ;;
*)
  echo "usage: cups.sh start|stop DIR" >&2
  exit 2
  ;;
esac
