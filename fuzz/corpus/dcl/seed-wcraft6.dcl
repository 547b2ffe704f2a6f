// Post-processor control dialog of the electrical design application:
// which steps a run of the post-processor takes.

control_defn : dialog {
    label = "Wirecraft 5 - Post-processor control";
    : text { key = "p_title"; label = ""; width = 58; }
    : row {
        : boxed_column {
            label = "Wires";
            : toggle { key = "wire_num"; label = "Wire numbering"; }
            : toggle { key = "sheet_rot"; label = "Number sheet by sheet"; }
            : toggle { key = "wire_lis"; label = "Wire listing"; }
            : toggle { key = "wire_sch"; label = "Wire schedule"; }
            : toggle { key = "wire_lnk"; label = "Wire links"; }
        }
        : boxed_column {
            label = "Components";
            : toggle { key = "comp_num"; label = "Component numbering"; }
            : toggle { key = "term_num"; label = "Terminal numbering"; }
            : toggle { key = "part_lis"; label = "Parts listing"; }
            : toggle { key = "sheet_no"; label = "Sheet numbers"; }
        }
        : boxed_column {
            label = "Relays and reports";
            : toggle { key = "relay_cr"; label = "Relay cross-references"; }
            : toggle { key = "cont_num"; label = "Contact numbering"; }
            : toggle { key = "cont_blk"; label = "Contact blocks"; }
            : toggle { key = "analysis"; label = "Analysis file"; }
            : toggle { key = "application_int"; label = "Application interface"; }
            : toggle { key = "audit"; label = "Audit"; }
        }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
