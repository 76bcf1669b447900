-- wrk script of the load tests and benchmarks: cycles through the addresses named in the
-- environment variable VELORA_PATHS (separated by blanks) and stops each thread after the number
-- of answers given as the script's first argument, leaving a file in VELORA_DONE_DIR when it does
-- (wrk itself runs on for its whole duration; the caller then interrupts it). wrk counts answers
-- of 400 and above, and connection errors, in its summary.
local paths = {}
for path in string.gmatch(os.getenv("VELORA_PATHS") or "/", "%S+") do
  table.insert(paths, path)
end
local limit = 0
local answered = 0
local sent = 0

function init(args)
  limit = tonumber(args[1] or "0") or 0
end

function request()
  sent = sent + 1
  return wrk.format("GET", paths[(sent - 1) % #paths + 1])
end

function response(status, headers, body)
  answered = answered + 1
  if limit > 0 and answered == limit then
    local folder = os.getenv("VELORA_DONE_DIR")
    if folder then
      local mark = io.open(folder .. "/" .. tostring(answered) .. "-" .. string.sub(tostring({}), 8), "w")
      if mark then mark:close() end
    end
    wrk.thread:stop()
  end
end

function done(summary, latency, requests)
  io.write(string.format("requests %d\nstatus_errors %d\nconnect_errors %d\nread_errors %d\n" ..
                         "write_errors %d\ntimeouts %d\n", summary.requests, summary.errors.status,
                         summary.errors.connect, summary.errors.read, summary.errors.write,
                         summary.errors.timeout))
  for _, p in pairs({50, 90, 99}) do
    io.write(string.format("latency_p%d_us %d\n", p, latency:percentile(p)))
  end
  io.write(string.format("duration_us %d\n", summary.duration))
end
